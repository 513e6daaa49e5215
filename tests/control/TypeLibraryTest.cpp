// The type information that hosts see, whole: the library, the class marked as a control, every
// member of _Ctr_Ostrevan with its identity, kind and type in the order of its slots, and the
// event interface without events.
#include <gtest/gtest.h>

#include "control/TypeLibrary.h"

namespace {

TEST(TypeLibrary, DeclaresTheControlItsMembersAndAnEventInterfaceWithoutEvents) {
    EXPECT_EQ(component::describe(typeLibrary()),
              "library ControleOstrevan {D848E3E8-91F4-4050-A9F8-320314B0C81F} version 1.0 "
              "locale 0x409 file 1.0.0.14\n"
              "class Ctr_Ostrevan {78A7057B-3EFD-47A1-A1AC-60DD5F00763D} progid "
              "ControleOstrevan.Ctr_Ostrevan control default _Ctr_Ostrevan source "
              "__Ctr_Ostrevan\n"
              "interface _Ctr_Ostrevan {B7A36EC8-A8A2-46A8-9C46-FF0EA491DCB9} dual hidden\n"
              "  0x40030002 variable W_Sortir: Boolean\n"
              "  0x68030002 let DroitsUtilisateur(byref New_DroitsUtilisateur: UserRights)\n"
              "  0x68030001 let TheClient(byval vNewValue: DbClient)\n"
              "  0x68030000 let TheDatabase(byval vNewValue: Database)\n"
              "  0x60030003 method Init()\n"
              "  0x60030004 method Remplir_Entite()\n"
              "  0x6003001D method Remplir_RubSaisie()\n"
              "interface __Ctr_Ostrevan {F920C926-0992-448E-B079-DD0D91C548A4} hidden\n"
              "  (no members)\n");
}

}  // namespace
