#include "platform/mvdb/ServerStoreLibrary.h"

#include "platform/mvdb/PostgresStore.h"

extern "C" __attribute__((visibility("default"))) void ostrevanServerStore(
    const std::string* uri, const mvdb::OpenOptions* options, std::shared_ptr<mvdb::Store>* store) {
    if (options == nullptr) {
        *store = mvdb::PostgresStore::create(*uri);
    } else {
        *store = mvdb::PostgresStore::open(*uri, *options);
    }
}
