// The control as a host sees it: its type information whole, each member by its dispatch
// identity, the objects handed in, and the rights asked at each assignment.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "control/ControlTesting.h"
#include "control/ControleOstrevan.h"
#include "control/TypeLibrary.h"
#include "platform/component/ComponentErrors.h"

namespace {

using namespace controle_ostrevan;
using component::InvokeKind;
using component::Variant;
using control_testing::CountingRights;

class HostInterfaceTest : public control_testing::ControlTest {
protected:
    static Variant invoke(Ctr_Ostrevan& control, component::DispatchId id, InvokeKind kind,
                          std::vector<Variant> arguments = {}) {
        return control.invoke(id, kind, arguments);
    }
    static void put(Ctr_Ostrevan& control, component::DispatchId id, Variant value) {
        invoke(control, id, InvokeKind::PropertyPut, {std::move(value)});
    }
};

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

// How a member refuses a wrong way of use is the dispatch's own, tested with the component runtime;
// here, what the control's members take.
TEST_F(HostInterfaceTest, WhatTheHostHandsInIsTakenObjectsServingEveryInstanceTheLastOneWinning) {
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(component::kFalse));
    put(control, kW_Sortir, component::kTrue);
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(component::kTrue));
    put(control, kW_Sortir, 0);
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(component::kFalse));

    const mvdb::Database database = databaseWithFiles();
    Ctr_Ostrevan second;
    put(control, kTheDatabase, component::box(mvdb::Database::Create(path("empty.mvdb"))));
    put(control, kTheDatabase, component::box(database));
    put(control, kTheClient, component::box(mvdb::DbClient("marie", database.Name())));
    EXPECT_EQ(Mod_Var::gClient->UserName(), "marie");

    put(second, kDroitsUtilisateur, std::make_shared<CountingRights>());
    second.setMessageService(&messages);
    invoke(second, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicParam->Name(), "TPSPARAMBASCUL");
    EXPECT_EQ(Mod_Var::gFicRubSaisie->Name(), "RUBSAISIE");

    put(second, kTheClient, component::Empty{});
    EXPECT_FALSE(Mod_Var::gClient);
}

TEST_F(HostInterfaceTest, EachRightsAssignmentAsksTheRightsOfTheParametersAnew) {
    const auto failure = [&](Variant value) {
        return test_support::failureOf([&] { put(control, kDroitsUtilisateur, value); }).number();
    };
    EXPECT_EQ(failure(component::box(mvdb::DbClient("marie", path()))),
              component::kErrTypeMismatch);
    EXPECT_EQ(failure(component::Empty{}), component::kErrObjectNotSet)
        << "rights that cannot answer fail the assignment";
    auto rights = std::make_shared<CountingRights>();
    put(control, kDroitsUtilisateur, rights);
    put(control, kDroitsUtilisateur, rights);
    EXPECT_EQ(rights->codes, (std::vector<std::string>{"PARAMINTEGRGENE", "PARAMINTEGRGENE"}));
}

}  // namespace
