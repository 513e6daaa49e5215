// The PostgreSQL server that the tests of one ctest run share:
//   ostrevan-test-postgres start FOLDER    makes and starts it in FOLDER
//   ostrevan-test-postgres stop FOLDER     stops it, and every server that a test made beside it
//                                          (FOLDER-*), then removes their folders
#include <filesystem>
#include <iostream>
#include <string>

#include "support/PostgresServer.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const std::string verb = argc == 3 ? argv[1] : "";
    if (verb != "start" && verb != "stop") {
        std::cerr << "usage: ostrevan-test-postgres start|stop FOLDER\n";
        return 2;
    }
    // Either way, every server left in FOLDER or beside it is stopped and its folder removed.
    const fs::path folder = fs::absolute(argv[2]);
    const std::string base = folder.filename().string();
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.parent_path(), ignored)) {
        const std::string name = entry.path().filename().string();
        if (name != base && !name.starts_with(base + "-")) continue;
        try {
            if (fs::exists(entry.path() / "data" / "postmaster.pid"))
                test_support::PostgresServer(entry.path(), test_support::PostgresServer::Running{})
                    .stop();
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
        }
        fs::remove_all(entry.path(), ignored);
    }
    if (verb == "start") test_support::PostgresServer(folder).keepRunning();
    return 0;
}
