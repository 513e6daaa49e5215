// The entity list: the query as the entity file answers it, shown name by name in its order.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "control/ControlTesting.h"
#include "control/Mod_Proc.h"
#include "entity/EntityList.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Notation.h"

namespace {

using control_testing::itemTexts;

class EntityListTest : public control_testing::ControlTest {
protected:
    EntityListTest() : database(databaseWithFiles()) { handIn(database); }

    mvdb::Database database;
};

TEST(EntityQueryTest, NamesTheFileTheSortAndTheFieldsExactly) {
    EXPECT_EQ(mvdb::toNotation(entity::entityQuery().Extract()),
              "SSELECT ASSOCIATION  PAR 1^ASSOCIATION^0 1 38");
}

TEST_F(EntityListTest, ShowsTheNamesAloneInTheOrderOfTheAnswerAndSelectsNoneOfSeveral) {
    // Sorted by name as a dictionary sorts, not by key nor byte for byte.
    putEntities(database, {{"001", "Zéphyr Services"},
                           {"002", "aide au foyer"},
                           {"003", "Élan Domicile"},
                           {"004", ""}});
    control.Remplir_Entite();
    EXPECT_EQ(itemTexts(control.Cbo_Entite),
              (std::vector<std::string>{"", "aide au foyer", "Élan Domicile", "Zéphyr Services"}));
    EXPECT_EQ(control.Cbo_Entite.ListIndex(), -1);
    EXPECT_TRUE(messages.asked.empty());

    control.Remplir_Entite();
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 4) << "a second call gives the same list";
}

TEST_F(EntityListTest, TheOnlyEntityIsSelectedAndItsCodeWritten) {
    putEntities(database, {{"007", "Domicile Plus Cassignac"}});
    Mod_Proc::Ouvrir_Fichiers();
    control.Remplir_Entite();
    EXPECT_EQ(control.Cbo_Entite.ListIndex(), 0);
    EXPECT_EQ(control.Cbo_Entite.Text(), "Domicile Plus Cassignac");
    EXPECT_EQ(control.Txt_Entite.Text(), "007");
}

TEST_F(EntityListTest, NoEntityTellsTheUserOnceAndLeavesOnlyTheWayOut) {
    control.Cmd_Sortir.SetEnabled(false);
    control.Remplir_Entite();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, "Aucun système de télégestion n'est activé.");
    EXPECT_EQ(messages.asked[0].title, "Message QUORVEL");
    EXPECT_EQ(messages.asked[0].icon, toolkit::MsgIcon::Exclamation);
    EXPECT_EQ(messages.asked[0].buttons, toolkit::MsgButtons::Ok);
    EXPECT_TRUE(control.Cmd_Sortir.Enabled());
    for (const toolkit::Control* locked : std::initializer_list<const toolkit::Control*>{
             &control.Cmd_Ok, &control.Cmd_Annuler, &control.Txt_Entite, &control.Cbo_Entite,
             &control.Etq_Entite}) {
        EXPECT_FALSE(locked->Enabled()) << locked->Name();
    }

    putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
    control.Remplir_Entite();
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 2);
    EXPECT_FALSE(control.Txt_Entite.Enabled()) << "a later list unlocks nothing";
}

TEST_F(EntityListTest, EveryEntityIsListedHoweverManyThereAre) {
    constexpr int kEntities = 32768;  // one more than a 16-bit counter reaches
    {
        mvdb::Database::Transaction fill(database);
        const mvdb::DbFile file = database.OpenFile("ASSOCIATION");
        for (int i = 0; i < kEntities; ++i) {
            mvdb::DbRecord record = file.NewRecord(std::to_string(100000 + i));
            record.Assign(1, "Entité " + std::to_string(100000 + i));
            record.DBWrite();
        }
        fill.commit();
    }
    control.Remplir_Entite();
    ASSERT_EQ(control.Cbo_Entite.ListCount(), kEntities);
    EXPECT_EQ(control.Cbo_Entite.List(kEntities - 1),
              "Entité " + std::to_string(100000 + kEntities - 1));
}

TEST_F(EntityListTest, AFailedQueryReachesTheCallerWithTheListEmptied) {
    control.Cbo_Entite.AddItem("Ancienne entité");
    control.TheDatabase(
        std::make_shared<mvdb::Database>(mvdb::Database::Create(path("other.mvdb"))));
    EXPECT_EQ(test_support::failureOf([&] { control.Remplir_Entite(); }).number(),
              mvdb::kErrNoSuchFile);
    EXPECT_EQ(control.Cbo_Entite.ListCount(), 0);
}

}  // namespace
