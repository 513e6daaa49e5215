// The control as a host drives it: each member by its dispatch identity, the three property
// setters, the rights question and the opening of the two files by Init.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "control/ControlTesting.h"
#include "control/ControleOstrevan.h"
#include "control/Ctr_Ostrevan.h"
#include "control/Mod_Var.h"
#include "platform/component/ComponentErrors.h"
#include "platform/mvdb/DbError.h"
#include "platform/rights/Rights.h"

namespace {

using control_testing::CountingRights;

class HostInterfaceTest : public control_testing::ControlTest {
protected:
    static component::Variant invoke(Ctr_Ostrevan& control, component::DispatchId id,
                                     component::InvokeKind kind,
                                     std::vector<component::Variant> arguments = {}) {
        return control.invoke(id, kind, arguments);
    }
    static void put(Ctr_Ostrevan& control, component::DispatchId id, component::Variant value) {
        invoke(control, id, component::InvokeKind::PropertyPut, {std::move(value)});
    }
};

template <class Call>
std::int32_t errorNumberOf(Call&& call) {
    return test_support::failureOf(call).number();
}

using namespace controle_ostrevan;
using component::InvokeKind;
using component::kFalse;
using component::kTrue;
using component::Variant;

TEST_F(HostInterfaceTest, W_SortirReadsFalseUntilWrittenAndTakesWhatTheHostWrites) {
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kFalse));
    put(control, kW_Sortir, kTrue);
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kTrue));
    put(control, kW_Sortir, 0);
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kFalse));
}

TEST_F(HostInterfaceTest, MembersRefuseTheWaysOfUseTheyDoNotHave) {
    const struct {
        component::DispatchId id;
        InvokeKind kind;
        std::vector<Variant> arguments;
        std::int32_t error;
    } kRefused[] = {
        {kTheDatabase, InvokeKind::PropertyGet, {}, component::kErrWrongInvokeKind},
        {kTheClient, InvokeKind::PropertyGet, {}, component::kErrWrongInvokeKind},
        {kDroitsUtilisateur, InvokeKind::PropertyGet, {}, component::kErrWrongInvokeKind},
        {kInit, InvokeKind::PropertyPut, {kTrue}, component::kErrWrongInvokeKind},
        {kRemplir_Entite, InvokeKind::PropertyGet, {}, component::kErrWrongInvokeKind},
        {kW_Sortir, InvokeKind::Method, {}, component::kErrWrongInvokeKind},
        {kInit, InvokeKind::Method, {1}, component::kErrArgumentCount},
        {0x60030005, InvokeKind::Method, {}, component::kErrUnknownMember},
        {kW_Sortir, InvokeKind::PropertyPut, {"True"}, component::kErrTypeMismatch},
        {kTheDatabase, InvokeKind::PropertyPut, {"test.mvdb"}, component::kErrTypeMismatch},
        {kTheDatabase,
         InvokeKind::PropertyPut,
         {component::box(mvdb::DbClient("marie", "test.mvdb"))},
         component::kErrTypeMismatch},
        {kDroitsUtilisateur,
         InvokeKind::PropertyPut,
         {component::box(mvdb::DbClient("marie", "test.mvdb"))},
         component::kErrTypeMismatch},
    };
    for (const auto& refused : kRefused) {
        SCOPED_TRACE(component::idText(refused.id));
        std::vector<Variant> arguments = refused.arguments;
        EXPECT_EQ(errorNumberOf([&] { control.invoke(refused.id, refused.kind, arguments); }),
                  refused.error);
    }
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kFalse));
    EXPECT_FALSE(Mod_Var::gDatabase);
}

TEST_F(HostInterfaceTest, TheObjectPropertiesStoreWhatIsHandedInForEveryInstance) {
    const mvdb::Database database = databaseWithFiles();
    Ctr_Ostrevan first;
    Ctr_Ostrevan second;
    put(first, kTheDatabase, component::box(database));
    put(first, kTheClient, component::box(mvdb::DbClient("marie", database.Path())));
    EXPECT_EQ(Mod_Var::gClient->UserName(), "marie");

    put(second, kDroitsUtilisateur, std::make_shared<CountingRights>());
    second.setMessageService(&messages);
    invoke(second, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicParam->Name(), "TPSPARAMBASCUL");

    put(second, kTheClient, component::Empty{});
    EXPECT_FALSE(Mod_Var::gClient);
}

TEST_F(HostInterfaceTest, EachRightsAssignmentAsksTheRightsOfTheParametersAnew) {
    auto rights = std::make_shared<CountingRights>();
    put(control, kDroitsUtilisateur, rights);
    put(control, kDroitsUtilisateur, rights);
    EXPECT_EQ(rights->codes, (std::vector<std::string>{"PARAMINTEGRGENE", "PARAMINTEGRGENE"}));
    ASSERT_EQ(rights->answers.size(), 2u);
    EXPECT_TRUE(rights->answers[0].expired()) << "the first answer is replaced";
    EXPECT_FALSE(rights->answers[1].expired()) << "the second answer is kept";
}

TEST_F(HostInterfaceTest, RightsThatCannotAnswerFailTheAssignment) {
    EXPECT_EQ(errorNumberOf([&] { put(control, kDroitsUtilisateur, component::Empty{}); }),
              component::kErrObjectNotSet);
}

TEST_F(HostInterfaceTest, InitOpensTheParameterFileThenTheRubricFile) {
    mvdb::Database database = mvdb::Database::Create(path());
    database.CreateFile("TPSPARAMBASCUL");
    put(control, kTheDatabase, component::box(database));
    put(control, kDroitsUtilisateur, std::make_shared<CountingRights>());

    EXPECT_EQ(errorNumberOf([&] { invoke(control, kInit, InvokeKind::Method); }),
              mvdb::kErrNoSuchFile);
    EXPECT_EQ(Mod_Var::gFicParam->Name(), "TPSPARAMBASCUL") << "opened before the failure";
    EXPECT_FALSE(Mod_Var::gFicRubSaisie);

    database.CreateFile("RUBSAISIE");
    database.CreateFile("ASSOCIATION");
    invoke(control, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicRubSaisie->Name(), "RUBSAISIE");
}

TEST_F(HostInterfaceTest, ALaterDatabaseReplacesTheEarlierOne) {
    const mvdb::Database withFiles = databaseWithFiles();
    put(control, kTheDatabase, component::box(mvdb::Database::Create(path("empty.mvdb"))));
    put(control, kTheDatabase, component::box(withFiles));
    put(control, kDroitsUtilisateur, std::make_shared<CountingRights>());
    invoke(control, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicRubSaisie->Name(), "RUBSAISIE");
}

}  // namespace
