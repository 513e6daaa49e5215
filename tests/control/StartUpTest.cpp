// Init: the lists filled, the first state of the screen by the number of entities, the rights.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "control/ControlTesting.h"
#include "platform/component/ComponentErrors.h"
#include "platform/mvdb/DbError.h"

namespace {

class StartUpTest : public control_testing::ControlTest {
protected:
    StartUpTest() : database(databaseWithFiles()) {
        put(database, "RUBSAISIE", "101", "Heures normales^3");
        put(database, "RUBSAISIE", "103", "Heures dimanche^4");
    }

    // The controls that only the choice of an entity or the way out leave usable.
    void expectNoEntityMode() const {
        for (const toolkit::Control* usable : std::initializer_list<const toolkit::Control*>{
                 &control.Etq_Entite, &control.Txt_Entite, &control.Cbo_Entite,
                 &control.Cmd_Sortir})
            EXPECT_TRUE(usable->Enabled()) << usable->Name();
        for (const toolkit::Control* locked : std::initializer_list<const toolkit::Control*>{
                 &control.Cdr_RubHeures, &control.Txt_RubNorm, &control.Cbo_RubNorm,
                 &control.Lst_Detail, &control.Cmd_Ajouter, &control.Cmd_Ok, &control.Cmd_Annuler})
            EXPECT_FALSE(locked->Enabled()) << locked->Name();
    }

    mvdb::Database database;
};

TEST_F(StartUpTest, WithSeveralEntitiesTheScreenStartsEmptyWithNoneChosen) {
    putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
    handIn(database);
    control.Init();
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 2);
    EXPECT_EQ(control.Cbo_Entite.ListIndex(), -1);
    EXPECT_EQ(control.Cbo_RubDim.ListCount(), 2);
    expectNoEntityMode();
    EXPECT_TRUE(control.Cmd_Ok.Visible());
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(StartUpTest, TheOnlyEntityIsOpenedOnceFromAClearedScreen) {
    putEntities(database, {{"007", "Domicile Plus Cassignac"}});
    // A value past the record's one line: its opening warns about it.
    put(database, "TPSPARAMBASCUL", "007", "^^^^101^^^^]125");
    handIn(database);
    control.Init();
    EXPECT_EQ(control.Cbo_Entite.ListIndex(), 0);
    EXPECT_EQ(control.Cbo_Entite.Text(), "Domicile Plus Cassignac");
    EXPECT_EQ(control.Lst_Codes.ListCount(), 1);
    ASSERT_EQ(messages.asked.size(), 1u) << "the opening's warning, once";
    EXPECT_TRUE(messages.asked[0].text.starts_with("L'enregistrement de l'entité juridique 007"));
    EXPECT_FALSE(control.Txt_RubNorm.Enabled()) << "no weekday code box open without a line";
    EXPECT_FALSE(control.Cmd_OkDetail.Enabled());
}

TEST_F(StartUpTest, WithoutEntitiesTheUserIsToldAndOnlySortirIsLeftWithTheRightsUnapplied) {
    handIn(database, 0);
    control.Init();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, "Aucun système de télégestion n'est activé.");
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), 2) << "the rubric lists are filled first";
    EXPECT_TRUE(control.Cmd_Sortir.Enabled());
    EXPECT_FALSE(control.Cmd_Ok.Enabled());
    EXPECT_FALSE(control.Cmd_Annuler.Enabled());
    EXPECT_FALSE(control.Txt_Entite.Enabled());
    EXPECT_TRUE(control.Cmd_Ok.Visible()) << "the rights are not read";
}

TEST_F(StartUpTest, OnlyLevelTwoKeepsTheOkButtonInSight) {
    putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
    for (const auto& [level, visible] : {std::pair{2, true}, {0, false}, {1, false}, {3, false}}) {
        Ctr_Ostrevan started;
        started.TheDatabase(std::make_shared<mvdb::Database>(database));
        started.DroitsUtilisateur(control_testing::rightsOfLevel(level));
        started.Init();
        EXPECT_EQ(started.Cmd_Ok.Visible(), visible) << "level " << level;
        started.Init();
        EXPECT_EQ(started.Cmd_Ok.Visible(), visible) << "level " << level << ", Init again";
    }
}

TEST_F(StartUpTest, InitAgainAppendsTheRubricsOnceMoreAndRebuildsTheEntities) {
    putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
    handIn(database);
    control.Init();
    control.Init();
    EXPECT_EQ(control.Cbo_Rub1Mai.ListCount(), 4);
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 2);
}

TEST_F(StartUpTest, WithoutTheDatabaseOrTheRightsInitOpensNothingAndSaysWhatIsMissing) {
    const platform::ComponentError noDatabase = test_support::failureOf([&] { control.Init(); });
    EXPECT_EQ(noDatabase.number(), component::kErrObjectNotSet);
    EXPECT_STREQ(noDatabase.what(),
                 "Init : l'application hôte n'a pas transmis la base de "
                 "données (TheDatabase).");

    control.TheDatabase(std::make_shared<mvdb::Database>(database));
    const platform::ComponentError noRights = test_support::failureOf([&] { control.Init(); });
    EXPECT_EQ(noRights.number(), component::kErrObjectNotSet);
    EXPECT_STREQ(noRights.what(),
                 "Init : l'application hôte n'a pas transmis les droits de "
                 "l'utilisateur (DroitsUtilisateur).");
    EXPECT_FALSE(Mod_Var::gFicParam);
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), 0);
}

TEST_F(StartUpTest, AFailureEndsInitThereAndKeepsWhatWasDone) {
    mvdb::Database withoutEntities = mvdb::Database::Create(path("other.mvdb"));
    put(withoutEntities, "TPSPARAMBASCUL", "001", "");
    put(withoutEntities, "RUBSAISIE", "101", "Heures normales^3");
    handIn(withoutEntities);
    EXPECT_EQ(test_support::failureOf([&] { control.Init(); }).number(), mvdb::kErrNoSuchFile);
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), 1);
    EXPECT_TRUE(Mod_Var::gFicRubSaisie);
}

}  // namespace
