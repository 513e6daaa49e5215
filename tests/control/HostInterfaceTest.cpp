// The control as a host drives it: each member by its dispatch identity, the three property
// setters, the rights question and the opening of the two files by Init.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "control/ControleOstrevan.h"
#include "control/Ctr_Ostrevan.h"
#include "control/Mod_Var.h"
#include "mvdb/TestDatabase.h"
#include "platform/component/ComponentErrors.h"
#include "platform/mvdb/DbError.h"
#include "platform/rights/Rights.h"

namespace {

// The rights of a user that records each function code asked, and each answer given.
class CountingRights : public rights::UserRights {
public:
    explicit CountingRights(std::int32_t level = 2) : level_(level) {}

    component::Ref<rights::FunctionRights> GetFunctionRights(std::string& functionCode) override {
        codes.push_back(functionCode);
        auto answer = std::make_shared<rights::FunctionRights>(level_);
        answers.push_back(answer);
        return answer;
    }

    std::vector<std::string> codes;
    std::vector<std::weak_ptr<rights::FunctionRights>> answers;

private:
    std::int32_t level_;
};

class ControlTest : public mvdb::testing::TestDatabase {
protected:
    ControlTest() { emptyModule(); }
    ~ControlTest() override { emptyModule(); }

    // A database holding the two files that the control opens (and the entity file).
    mvdb::Database databaseWithFiles() {
        mvdb::Database database = mvdb::Database::Create(path());
        for (const char* file : {"ASSOCIATION", "RUBSAISIE", "TPSPARAMBASCUL"})
            database.CreateFile(file);
        return database;
    }

    static component::Variant invoke(Ctr_Ostrevan& control, component::DispatchId id,
                                     component::InvokeKind kind,
                                     std::vector<component::Variant> arguments = {}) {
        return control.invoke(id, kind, arguments);
    }
    static void put(Ctr_Ostrevan& control, component::DispatchId id, component::Variant value) {
        invoke(control, id, component::InvokeKind::PropertyPut, {std::move(value)});
    }

private:
    static void emptyModule() {
        Mod_Var::gClient.reset();
        Mod_Var::gDatabase.reset();
        Mod_Var::gFicRubSaisie.reset();
        Mod_Var::gFicParam.reset();
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

TEST_F(ControlTest, W_SortirReadsFalseUntilWrittenAndTakesWhatTheHostWrites) {
    Ctr_Ostrevan control;
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kFalse));
    put(control, kW_Sortir, kTrue);
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kTrue));
    put(control, kW_Sortir, 0);
    EXPECT_EQ(invoke(control, kW_Sortir, InvokeKind::PropertyGet), Variant(kFalse));
}

TEST_F(ControlTest, MembersRefuseTheWaysOfUseTheyDoNotHave) {
    Ctr_Ostrevan control;
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

TEST_F(ControlTest, TheObjectPropertiesStoreWhatIsHandedInForEveryInstance) {
    const mvdb::Database database = databaseWithFiles();
    Ctr_Ostrevan first;
    Ctr_Ostrevan second;
    put(first, kTheDatabase, component::box(database));
    put(first, kTheClient, component::box(mvdb::DbClient("marie", database.Path())));
    EXPECT_EQ(Mod_Var::gClient->UserName(), "marie");

    invoke(second, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicParam->Name(), "TPSPARAMBASCUL");

    put(second, kTheClient, component::Empty{});
    EXPECT_FALSE(Mod_Var::gClient);
}

TEST_F(ControlTest, EachRightsAssignmentAsksTheRightsOfTheParametersAnew) {
    Ctr_Ostrevan control;
    auto rights = std::make_shared<CountingRights>();
    put(control, kDroitsUtilisateur, rights);
    put(control, kDroitsUtilisateur, rights);
    EXPECT_EQ(rights->codes, (std::vector<std::string>{"PARAMINTEGRGENE", "PARAMINTEGRGENE"}));
    ASSERT_EQ(rights->answers.size(), 2u);
    EXPECT_TRUE(rights->answers[0].expired()) << "the first answer is replaced";
    EXPECT_FALSE(rights->answers[1].expired()) << "the second answer is kept";
}

TEST_F(ControlTest, RightsThatCannotAnswerFailTheAssignment) {
    Ctr_Ostrevan control;
    EXPECT_EQ(errorNumberOf([&] { put(control, kDroitsUtilisateur, component::Empty{}); }),
              component::kErrObjectNotSet);
}

TEST_F(ControlTest, InitOpensTheParameterFileThenTheRubricFile) {
    mvdb::Database database = mvdb::Database::Create(path());
    database.CreateFile("TPSPARAMBASCUL");
    Ctr_Ostrevan control;
    put(control, kTheDatabase, component::box(database));

    EXPECT_EQ(errorNumberOf([&] { invoke(control, kInit, InvokeKind::Method); }),
              mvdb::kErrNoSuchFile);
    EXPECT_EQ(Mod_Var::gFicParam->Name(), "TPSPARAMBASCUL") << "opened before the failure";
    EXPECT_FALSE(Mod_Var::gFicRubSaisie);

    database.CreateFile("RUBSAISIE");
    invoke(control, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicRubSaisie->Name(), "RUBSAISIE");
}

TEST_F(ControlTest, InitBeforeAnyDatabaseIsAnErrorForTheHost) {
    Ctr_Ostrevan control;
    EXPECT_EQ(errorNumberOf([&] { invoke(control, kInit, InvokeKind::Method); }),
              component::kErrObjectNotSet);
}

TEST_F(ControlTest, ALaterDatabaseReplacesTheEarlierOne) {
    const mvdb::Database withFiles = databaseWithFiles();
    Ctr_Ostrevan control;
    put(control, kTheDatabase, component::box(mvdb::Database::Create(path("empty.mvdb"))));
    put(control, kTheDatabase, component::box(withFiles));
    invoke(control, kInit, InvokeKind::Method);
    EXPECT_EQ(Mod_Var::gFicRubSaisie->Name(), "RUBSAISIE");
}

}  // namespace
