// The control as the benchmarks start it: handed a bench database and the rights to change the
// parameters, as a host does.
#pragma once

#include <memory>

#include "BenchDatabase.h"
#include "control/Ctr_Ostrevan_p.h"
#include "platform/rights/Rights.h"

namespace bench {

// The control handed that database: the bench database's own connection unless told otherwise.
inline std::unique_ptr<Ctr_Ostrevan> handedIn(const mvdb::Database& database) {
    auto control = std::make_unique<Ctr_Ostrevan>();
    control->TheDatabase(std::make_shared<mvdb::Database>(database));
    control->DroitsUtilisateur(
        std::shared_ptr<rights::UserRights>(std::make_shared<rights::ConfiguredRights>(2)));
    return control;
}

inline std::unique_ptr<Ctr_Ostrevan> handedIn(Sizes sizes = {}, Store store = Store::kFile) {
    return handedIn(benchDatabase(sizes, store).database());
}

}  // namespace bench
