#include "host/Session.h"

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "control/ControleOstrevan.h"
#include "host/ProgramFolder.h"
#include "platform/component/Registry.h"
#include "platform/help/HelpViewer.h"
#include "platform/mvdb/DbClient.h"
#include "platform/rights/Rights.h"

namespace host {
namespace {

// The function whose access level the command line sets.
constexpr const char* kSettingsFunction = "PARAMINTEGRGENE";

// The level of the configuration, lowered to read only on a database that the user may not
// write, so that the screen offers no save that would be refused.
std::int32_t levelFor(const Configuration& configuration, const mvdb::Database& database) {
    if (configuration.accessLevel != kMayChangeLevel || !database.ReadOnly())
        return configuration.accessLevel;
    return kReadOnlyLevel;
}

// Whether the registry serves the control from this host's own library, of this version.
bool registeredFrom(const std::string& library) {
    const component::Registry registry = component::Registry::read();
    const component::RegisteredClass* entry = registry.find(controle_ostrevan::kProgId);
    std::error_code missing;
    return entry && entry->fileVersion == OSTREVAN_FILE_VERSION &&
           std::filesystem::equivalent(registry.libraryFile(*entry), library, missing);
}

// The control, from this host's own library: a registration that names another build's library,
// another version, or a library that is gone, is replaced by this host's own first.
component::ObjectRef createByName() {
    const std::string library =
        installedOrBuilt(OSTREVAN_INSTALLED_CONTROL_LIBRARY, OSTREVAN_CONTROL_LIBRARY);
    if (!registeredFrom(library)) component::registerLibrary(library);
    return component::createObject(controle_ostrevan::kProgId);
}

}  // namespace

Session::Session(const Options& options, component::Factory helpViewer)
    : configuration_(configure(sourcesOf(options))),
      database_(mvdb::Database::Open(configuration_.database, {.user = configuration_.user})),
      accessLevel_(levelFor(configuration_, database_)),
      helpViewerClass_(help::helpViewerClass(), std::move(helpViewer)) {}

void Session::start(const ErrorHandler& onError, const SurfacePreparation& prepare) {
    try {
        createControl();
        prepare(*surface_);
        handOver();
    } catch (const std::exception& error) {
        onError(error);
    }
}

void Session::createControl() {
    component::ObjectRef object = createByName();
    surface_ = &component::as<toolkit::Surface>(object, "Ctr_Ostrevan").get();
    control_ = &component::as<component::Dispatchable>(object, "Ctr_Ostrevan").get();
    object_ = std::move(object);
}

void Session::handOver() {
    const auto put = [this](component::DispatchId id, component::Variant value) {
        std::vector<component::Variant> arguments{std::move(value)};
        control_->invoke(id, component::InvokeKind::PropertyPut, arguments);
    };
    auto rights = std::make_shared<rights::ConfiguredRights>();
    rights->setLevel(kSettingsFunction, accessLevel_);
    put(controle_ostrevan::kTheDatabase, component::box(database_));
    put(controle_ostrevan::kTheClient,
        component::box(mvdb::DbClient(configuration_.user, database_.Name())));
    put(controle_ostrevan::kDroitsUtilisateur, component::ObjectRef(rights));
    std::vector<component::Variant> noArguments;
    control_->invoke(controle_ostrevan::kInit, component::InvokeKind::Method, noArguments);
}

}  // namespace host
