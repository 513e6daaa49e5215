// The server's store lives in a library of its own, libostrevan_mvdb_server.so, beside the
// component's: Store::open loads it at the first server location, so that a process that only
// uses database files never loads the server's client library and all it needs.
#pragma once

#include <memory>
#include <string>

#include "platform/mvdb/Store.h"

// The library's entry point, by this name: opens the server's database at uri with options, or
// lays out a new one when options is null, into store; fails as PostgresStore.h says.
extern "C" void ostrevanServerStore(const std::string* uri, const mvdb::OpenOptions* options,
                                    std::shared_ptr<mvdb::Store>* store);

namespace mvdb {

inline constexpr const char* kServerStoreEntry = "ostrevanServerStore";
inline constexpr const char* kServerStoreLibrary = "libostrevan_mvdb_server.so";

}  // namespace mvdb
