// DbClient: the host's client object of the database component, the session of one user on one
// database. The control keeps it and hands it on to the help viewer; it reads nothing in it.
#pragma once

#include <string>

namespace mvdb {

class DbClient {
public:
    DbClient(std::string userName, std::string databasePath)
        : userName_(std::move(userName)), databasePath_(std::move(databasePath)) {}

    const std::string& UserName() const { return userName_; }
    const std::string& DatabasePath() const { return databasePath_; }

private:
    std::string userName_;
    std::string databasePath_;
};

}  // namespace mvdb
