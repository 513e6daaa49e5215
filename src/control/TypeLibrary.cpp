#include "control/TypeLibrary.h"

#include "control/ControleOstrevan.h"
#include "control/Ctr_Ostrevan_p.h"

using namespace component;
using namespace controle_ostrevan;

namespace {

constexpr const char* kInterfaceId = "{B7A36EC8-A8A2-46A8-9C46-FF0EA491DCB9}";
constexpr const char* kEventInterfaceId = "{F920C926-0992-448E-B079-DD0D91C548A4}";
constexpr const char* kLibraryId = "{D848E3E8-91F4-4050-A9F8-320314B0C81F}";
constexpr std::int32_t kLocaleEnglishUs = 0x409;

using Table = DispatchTable<Ctr_Ostrevan>;

// A write-only object property whose one argument is taken as the interface T.
template <class T>
Table::Member objectProperty(DispatchId id, const char* name, const char* interface,
                             ParamInfo param, void (Ctr_Ostrevan::*let)(const Ref<T>&)) {
    return {.info = {id, name, MemberKind::PropertyLet, interface, {std::move(param)}},
            .put = [=](Ctr_Ostrevan& control, const Variant& value) {
                (control.*let)(asObject<T>(value, interface));
            }};
}

Table::Member method(DispatchId id, const char* name, void (Ctr_Ostrevan::*run)()) {
    return {.info = {id, name, MemberKind::Method, "", {}},
            .call = [=](Ctr_Ostrevan& control, std::vector<Variant>&) { (control.*run)(); }};
}

Table::Member W_Sortir() {
    return {.info = {kW_Sortir, "W_Sortir", MemberKind::Variable, "Boolean", {}},
            .get = [](Ctr_Ostrevan& control) -> Variant { return control.W_Sortir(); },
            .put = [](Ctr_Ostrevan& control,
                      const Variant& value) { control.W_Sortir(asBoolean(value)); }};
}

}  // namespace

const Table& dispatchTable() {
    static const Table table(
        {.name = "_Ctr_Ostrevan", .id = kInterfaceId, .dual = true, .hidden = true},
        {W_Sortir(),
         objectProperty<rights::UserRights>(kDroitsUtilisateur, "DroitsUtilisateur", "UserRights",
                                            {"New_DroitsUtilisateur", "UserRights", true},
                                            &Ctr_Ostrevan::DroitsUtilisateur),
         objectProperty<mvdb::DbClient>(kTheClient, "TheClient", "DbClient",
                                        {"vNewValue", "DbClient", false}, &Ctr_Ostrevan::TheClient),
         objectProperty<mvdb::Database>(kTheDatabase, "TheDatabase", "Database",
                                        {"vNewValue", "Database", false},
                                        &Ctr_Ostrevan::TheDatabase),
         method(kInit, "Init", &Ctr_Ostrevan::Init),
         method(kRemplir_Entite, "Remplir_Entite", &Ctr_Ostrevan::Remplir_Entite),
         method(kRemplir_RubSaisie, "Remplir_RubSaisie", &Ctr_Ostrevan::Remplir_RubSaisie)});
    return table;
}

const TypeLibrary& typeLibrary() {
    static const TypeLibrary library{
        .name = kLibraryName,
        .id = kLibraryId,
        .majorVersion = 1,
        .minorVersion = 0,
        .locale = kLocaleEnglishUs,
        .fileVersion = OSTREVAN_FILE_VERSION,
        .classes = {{.name = "Ctr_Ostrevan",
                     .progId = kProgId,
                     .id = kClassId,
                     .control = true,
                     .defaultInterface = "_Ctr_Ostrevan",
                     .sourceInterface = "__Ctr_Ostrevan"}},
        .interfaces = {dispatchTable().interfaceInfo(),
                       {.name = "__Ctr_Ostrevan", .id = kEventInterfaceId, .hidden = true}}};
    return library;
}
