// Init, as a host calls it: the rubric lists then the entity list filled, the first state of the
// screen by the number of entities, the rights applied; what a missing object or file leaves.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "control/ControlTesting.h"
#include "platform/component/ComponentErrors.h"
#include "platform/mvdb/DbError.h"

namespace {

using control_testing::itemTexts;

class StartUpTest : public control_testing::ControlTest {
protected:
    StartUpTest() : database(databaseWithFiles()) {
        putRubrics(database, {{"101", "Heures normales"}, {"103", "Heures dimanche"}});
    }

    void start(std::int32_t level = 2) {
        handIn(database, level);
        control.Init();
    }

    mvdb::Database database;
};

TEST_F(StartUpTest, OfSeveralEntitiesTheNamesAreListedInTheAnswersOrderAndNoneIsChosen) {
    // Two entities are already several: the screen waits for one to be chosen.
    putEntities(database, {{"001", "Zéphyr Services"}, {"002", "aide au foyer"}});
    start();
    EXPECT_EQ(control.Cbo_Entite.ListIndex(), -1);
    EXPECT_TRUE(control.Txt_Entite.Enabled() && control.Cmd_Sortir.Enabled());
    EXPECT_FALSE(control.Cmd_Ajouter.Enabled() || control.Cmd_Ok.Enabled()) << "screen cleared";

    // Sorted by name as a dictionary sorts, not by key nor byte for byte.
    putEntities(database, {{"003", "Élan Domicile"}, {"004", ""}});
    control.Init();  // again: the entities listed anew
    EXPECT_EQ(itemTexts(control.Cbo_Entite),
              (std::vector<std::string>{"", "aide au foyer", "Élan Domicile", "Zéphyr Services"}));
    EXPECT_EQ(control.Cbo_Entite.ListIndex(), -1);
    EXPECT_TRUE(messages.asked.empty());
    user.pick(control.Cbo_Entite, 0);
    EXPECT_EQ(control.Txt_Entite.Text(), "") << "a name left empty chooses no entity";
}

TEST_F(StartUpTest, TheOnlyEntityIsOpenedOnceFromAClearedScreen) {
    putEntities(database, {{"007", "Domicile Plus Cassignac"}});
    // Two lines, and a value past them: its opening warns about it.
    put(database, "TPSPARAMBASCUL", "007", "^^^^101]101^^^^]]125");
    start();
    EXPECT_EQ(control.Cbo_Entite.Text(), "Domicile Plus Cassignac");
    EXPECT_EQ(control.Txt_Entite.Text(), "007");
    EXPECT_EQ(itemTexts(control.Lst_Codes), (std::vector<std::string>{"101;;;;", "101;;;;"}));
    ASSERT_EQ(messages.asked.size(), 1u) << "the opening's warning, once";
    EXPECT_TRUE(messages.asked[0].text.starts_with("L'enregistrement de l'entité juridique 007"));
    EXPECT_FALSE(control.Txt_RubNorm.Enabled()) << "no weekday code box open without a line";
}

TEST_F(StartUpTest, WithoutEntitiesTheUserIsToldAndOnlySortirIsLeftWithTheRightsUnapplied) {
    control.Cmd_Sortir.SetEnabled(false);
    start(0);
    ASSERT_EQ(messages.asked.size(), 1u);
    control_testing::expectBox(messages.asked[0],
                               {"Aucun système de télégestion n'est activé.", "Message QUORVEL",
                                toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), 2) << "the rubric lists are filled first";
    EXPECT_TRUE(control.Cmd_Sortir.Enabled());
    for (const toolkit::Control* locked : std::initializer_list<const toolkit::Control*>{
             &control.Cmd_Ok, &control.Cmd_Annuler, &control.Txt_Entite, &control.Cbo_Entite,
             &control.Etq_Entite})
        EXPECT_FALSE(locked->Enabled()) << locked->Name();
    EXPECT_TRUE(control.Cmd_Ok.Visible()) << "the rights are not read";

    putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
    control.Remplir_Entite();
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 2);
    EXPECT_FALSE(control.Txt_Entite.Enabled()) << "a later list unlocks nothing";
}

TEST_F(StartUpTest, OnlyLevelTwoKeepsTheOkButtonInSight) {
    putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
    for (const auto& [level, visible] : {std::pair{2, true}, {0, false}, {1, false}, {3, false}}) {
        Ctr_Ostrevan started;
        started.TheDatabase(std::make_shared<mvdb::Database>(database));
        started.DroitsUtilisateur(control_testing::rightsOfLevel(level));
        started.Init();
        started.Init();
        EXPECT_EQ(started.Cmd_Ok.Visible(), visible) << "level " << level << ", Init twice";
    }
}

TEST_F(StartUpTest, AMissingObjectOrFileEndsInitThereKeepingWhatWasDone) {
    const auto failure = [&] { return test_support::failureOf([&] { control.Init(); }); };
    const platform::ComponentError noDatabase = failure();
    EXPECT_EQ(noDatabase.number(), component::kErrObjectNotSet);
    EXPECT_STREQ(noDatabase.what(),
                 "Init : l'application hôte n'a pas transmis la base de données (TheDatabase).");
    control.TheDatabase(std::make_shared<mvdb::Database>(database));
    const platform::ComponentError noRights = failure();
    EXPECT_EQ(noRights.number(), component::kErrObjectNotSet);
    EXPECT_STREQ(noRights.what(),
                 "Init : l'application hôte n'a pas transmis les droits de l'utilisateur "
                 "(DroitsUtilisateur).");
    EXPECT_FALSE(Mod_Var::gFicParam);
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), 0);

    // The parameter file is opened first, and stays open when the rubric file is missing.
    mvdb::Database partial = mvdb::Database::Create(path("partial.mvdb"));
    partial.CreateFile("TPSPARAMBASCUL");
    handIn(partial);
    EXPECT_EQ(failure().number(), mvdb::kErrNoSuchFile);
    EXPECT_EQ(Mod_Var::gFicParam->Name(), "TPSPARAMBASCUL");
    EXPECT_FALSE(Mod_Var::gFicRubSaisie);
    // Without the entity file, the rubric lists stay filled and the entity list is emptied.
    put(partial, "RUBSAISIE", "101", "Heures normales^3");
    control.Cbo_Entite.AddItem("Ancienne entité");
    EXPECT_EQ(failure().number(), mvdb::kErrNoSuchFile);
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), 1);
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 0);
}

TEST_F(StartUpTest, EveryEntityAndEveryRubricIsListedHoweverManyThereAre) {
    constexpr int kMany = 32768;  // one more than a 16-bit counter reaches
    {
        mvdb::Database::Transaction fill(database);
        const mvdb::DbFile entities = database.OpenFile("ASSOCIATION");
        const mvdb::DbFile rubrics = database.OpenFile("RUBSAISIE");
        for (int i = 0; i < kMany; ++i) {
            entities.WriteRecord(std::to_string(100000 + i),
                                 mvdb::fromNotation("Entité " + std::to_string(100000 + i)));
            // Codes repeat: 5, 05, 005 ... are keys of their own that all show 005; the keys
            // 101 and 103 replace the fixture's rubrics.
            rubrics.WriteRecord(std::string(i / 1000, '0') + std::to_string(i % 1000),
                                mvdb::fromNotation("Heures^3"));
        }
        fill.commit();
    }
    start();
    ASSERT_EQ(control.Cbo_Entite.ListCount(), kMany);
    EXPECT_EQ(control.Cbo_Entite.List(kMany - 1), "Entité " + std::to_string(100000 + kMany - 1));
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), kMany);
    EXPECT_EQ(control.Cbo_Rub1Mai.ListCount(), kMany);
}

}  // namespace
