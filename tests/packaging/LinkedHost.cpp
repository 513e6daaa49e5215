// A host that links the control into itself (pkg-config --cflags --libs ostrevan): it makes the
// control, hands it a database and the user's rights, starts it, opens an entity as the user
// does, by typing its code, and prints the lines shown and where the help page was found.
//   linked-host DATABASE CODE
#include <iostream>
#include <memory>
#include <string_view>

#include "control/Ctr_Ostrevan.h"
#include "platform/help/HelpFolder.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/User.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Ctr_Ostrevan control;
    control.TheDatabase(std::make_shared<mvdb::Database>(mvdb::Database::Open(argv[1])));
    const std::shared_ptr<rights::UserRights> rights =
        std::make_shared<rights::ConfiguredRights>(2);
    control.DroitsUtilisateur(rights);
    control.Init();
    toolkit::User user(control);
    for (const char key : std::string_view(argv[2]))
        user.typeKey(control.Txt_Entite, key);
    std::cout << control.Lst_Detail.ListCount() << " lignes\n"
              << help::findHelpPage("TpsParamPaiePlg.htm").string() << '\n';
}
