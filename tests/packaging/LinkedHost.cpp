// A host that links the control into itself (pkg-config --cflags --libs ostrevan), through its
// public interface alone: it makes the control, hands it a database and the user's rights, starts
// it, opens an entity as the user does, by typing its code into the widget found on the surface,
// and prints the lines shown and where the help page was found.
//   linked-host DATABASE CODE
#include <iostream>
#include <memory>
#include <string_view>

#include "control/Ctr_Ostrevan.h"
#include "platform/help/HelpFolder.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"
#include "platform/toolkit/User.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::unique_ptr<Ctr_Ostrevan_Interface> control = Ctr_Ostrevan_Interface::create();
    control->TheDatabase(std::make_shared<mvdb::Database>(mvdb::Database::Open(argv[1])));
    const std::shared_ptr<rights::UserRights> rights =
        std::make_shared<rights::ConfiguredRights>(2);
    control->DroitsUtilisateur(rights);
    control->Init();
    toolkit::Surface& surface = control->surface();
    toolkit::User user(surface);
    auto& code = dynamic_cast<toolkit::TextBox&>(*surface.find("Txt_Entite"));
    for (const char key : std::string_view(argv[2]))
        user.typeKey(code, key);
    std::cout << dynamic_cast<toolkit::ListBox&>(*surface.find("Lst_Detail")).ListCount()
              << " lignes\n"
              << help::findHelpPage("TpsParamPaiePlg.htm").string() << '\n';
}
