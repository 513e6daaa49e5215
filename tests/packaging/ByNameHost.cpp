// A host that creates the control by its name through the component runtime, registering the
// installed component library first (OSTREVAN_CONTROL_LIBRARY, from pkg-config --variable
// controllibrary ostrevan). It knows the control only by its dispatch identities and its surface:
// it hands it a database and the user's rights, calls Init, types an entity's code into the code
// box and prints how many lines the list shows.
//   by-name-host DATABASE CODE
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "control/ControleOstrevan.h"
#include "platform/component/Dispatch.h"
#include "platform/component/Runtime.h"
#include "platform/mvdb/Database.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"
#include "platform/toolkit/User.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    component::registerLibrary(OSTREVAN_CONTROL_LIBRARY);
    const component::ObjectRef object = component::createObject(controle_ostrevan::kProgId);
    auto& control = component::as<component::Dispatchable>(object, "Ctr_Ostrevan").get();
    auto& surface = component::as<toolkit::Surface>(object, "Ctr_Ostrevan").get();
    const auto call = [&control](component::DispatchId id, component::InvokeKind kind,
                                 std::vector<component::Variant> arguments) {
        control.invoke(id, kind, arguments);
    };
    call(controle_ostrevan::kTheDatabase, component::InvokeKind::PropertyPut,
         {component::box(mvdb::Database::Open(argv[1]))});
    call(controle_ostrevan::kDroitsUtilisateur, component::InvokeKind::PropertyPut,
         {component::ObjectRef(std::make_shared<rights::ConfiguredRights>(2))});
    call(controle_ostrevan::kInit, component::InvokeKind::Method, {});
    toolkit::User user(surface);
    auto& code = dynamic_cast<toolkit::TextBox&>(*surface.find("Txt_Entite"));
    for (const char key : std::string_view(argv[2]))
        user.typeKey(code, key);
    std::cout << dynamic_cast<toolkit::ListBox&>(*surface.find("Lst_Detail")).ListCount()
              << " lignes\n";
}
