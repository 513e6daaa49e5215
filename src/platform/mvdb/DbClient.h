// DbClient: the host's client object of the database component, the session of one user on one
// database. The control keeps it and hands it on to the help viewer; it reads nothing in it.
#pragma once

#include <string>

namespace mvdb {

class DbClient {
public:
    // databaseName: the database as Database::Name gives it, never with a password.
    DbClient(std::string userName, std::string databaseName)
        : userName_(std::move(userName)), databaseName_(std::move(databaseName)) {}

    const std::string& UserName() const { return userName_; }
    const std::string& DatabaseName() const { return databaseName_; }

private:
    std::string userName_;
    std::string databaseName_;
};

}  // namespace mvdb
