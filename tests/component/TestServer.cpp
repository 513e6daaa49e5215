// The test component library: one class, Compteur (TestComponent.h), served through the five
// entry points, each handing over to the runtime's server side.
#include <memory>

#include "component/TestComponent.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Server.h"

namespace {

using namespace component;
using namespace component::testing;

class Compteur final : public Dispatchable {
public:
    const InterfaceInfo& interfaceInfo() const override;
    Variant invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& arguments) override;

    std::int32_t valeur = 0;
    std::string libelle;
};

using Table = DispatchTable<Compteur>;

Table::Member valeur() {
    return {.info = {kValeur, "Valeur", MemberKind::Variable, "Long", {}},
            .get = [](Compteur& self) -> Variant { return self.valeur; },
            .put = [](Compteur& self, const Variant& value) { self.valeur = asLong(value); }};
}

Table::Member libelle() {
    return {.info = {kLibelle,
                     "Libelle",
                     MemberKind::PropertyLet,
                     "String",
                     {{"vNewValue", "String", false}}},
            .put = [](Compteur& self, const Variant& value) { self.libelle = asText(value); }};
}

Table::Member ajouter() {
    return {.info = {kAjouter, "Ajouter", MemberKind::Method, "", {{"Montant", "Long", false}}},
            .call = [](Compteur& self, std::vector<Variant>& arguments) {
                self.valeur += asLong(arguments[0]);
            }};
}

Table::Member decrire() {
    return {.info = {kDecrire, "Decrire", MemberKind::Method, "", {{"Texte", "String", true}}},
            .call = [](Compteur& self, std::vector<Variant>& arguments) {
                arguments[0] = self.libelle + " = " + std::to_string(self.valeur);
            }};
}

const Table& table() {
    static const Table members({.name = "_Compteur", .id = kInterfaceId, .dual = true},
                               {valeur(), libelle(), ajouter(), decrire()});
    return members;
}

const InterfaceInfo& Compteur::interfaceInfo() const {
    return table().interfaceInfo();
}

Variant Compteur::invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& arguments) {
    return table().invoke(*this, id, kind, arguments);
}

ServerDescription& server() {
    static const TypeLibrary library{
        .name = "ComposantEssai",
        .id = kLibraryId,
        .majorVersion = 2,
        .minorVersion = 3,
        .locale = 0x40C,
        .fileVersion = kFileVersion,
        .classes = {{.name = "Compteur",
                     .progId = kCompteurProgId,
                     .id = kCompteurId,
                     .defaultInterface = "_Compteur"}},
        .interfaces = {table().interfaceInfo()},
    };
    static ServerDescription description{
        &library, {{&library.classes.front(), [] { return std::make_shared<Compteur>(); }}}};
    return description;
}

}  // namespace

extern "C" {

std::int32_t ostrevan_register_server() {
    return serveRegister(server(), reinterpret_cast<const void*>(&ostrevan_register_server));
}

std::int32_t ostrevan_unregister_server() {
    return serveUnregister(server(), reinterpret_cast<const void*>(&ostrevan_register_server));
}

std::int32_t ostrevan_get_class_factory(const char* classId, ClassFactory** factory) {
    return serveClassFactory(server(), classId, factory);
}

std::int32_t ostrevan_can_unload_now() {
    return serveCanUnload(server());
}

const TypeLibrary* ostrevan_type_library() {
    return server().typeLibrary;
}
}
