// Opening an entity through the entity pair, as the user types codes and chooses names, and the
// lines that its parameter record shows.
#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "mvdb/OtherProgram.h"
#include "platform/Utf8.h"
#include "platform/toolkit/User.h"

namespace {

using control_testing::itemTexts;

// A column as the screen shows it: the text filled with spaces to 31 characters.
std::string column(const std::string& text = "") {
    return text + std::string(31 - platform::characterCount(text), ' ');
}

class EntityOpeningTest : public control_testing::ControlTest {
protected:
    // In the list, by name: 001, 0001, abc, 007, 012.
    EntityOpeningTest() : database(databaseWithFiles()) {
        putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"},
                               {"007", "Domicile Plus Cassignac"},
                               {"012", "Présence"},
                               {"0001", "Ancien code"},
                               {"abc", "Bastide Services"}});
        putRubrics(database, {{"101", "Heures normales"},
                              {"103", "Heures dimanche"},
                              {"105", "Heures 1er mai"},
                              {"106", "Heures fériées travaillées majorées 100 %"},
                              {"108", "Heures fériées chômées payées"},
                              {"7", "Heures d'évaluation à domicile"}});
        // Line 2 names a Sunday rubric (999) and a May-Day rubric (998) that no longer exist;
        // line 3 stores rubric 7 as 007.
        put(database, "TPSPARAMBASCUL", "007",
            "28/11/2024^PAIE03^^15/09/2021^101]101]007]101^103]999]]^105]998]]^106]106]]^"
            "108]108]]");
        put(database, "TPSPARAMBASCUL", "001", "^^^^101]103]]105^^^^");
        handIn(database);
        control.Init();
    }

    void closeEntity() { control.Txt_Entite.SetText(""); }

    bool entityOpen() const {
        return !control.Txt_Entite.Enabled() && control.Cmd_Ajouter.Enabled() &&
               control.Cmd_Ok.Enabled();
    }

    bool screenCleared() const {
        return control.Txt_Entite.Enabled() && control.Cbo_Entite.Enabled() &&
               !control.Cmd_Ok.Enabled() && !control.Cmd_Ajouter.Enabled() &&
               control.Lst_Detail.ListCount() == 0 && control.Lst_Codes.ListCount() == 0;
    }

    mvdb::Database database;
};

TEST_F(EntityOpeningTest, TheThirdCharacterOpensTheEntityAndOneWithoutRecordHasNoLines) {
    type(control.Txt_Entite, "0");
    EXPECT_TRUE(screenCleared());
    type(control.Txt_Entite, "1");
    EXPECT_TRUE(screenCleared());
    EXPECT_EQ(control.Cbo_Entite.Text(), "");
    type(control.Txt_Entite, "2");
    EXPECT_TRUE(entityOpen());
    EXPECT_EQ(control.Cbo_Entite.Text(), "Présence");
    EXPECT_EQ(control.Lst_Detail.ListCount(), 0);
    EXPECT_EQ(database.OpenFile("TPSPARAMBASCUL").Keys(), (std::vector<std::string>{"001", "007"}))
        << "nothing is written before the user validates";
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(EntityOpeningTest, TheLinesShowEachRubricByCodeAndLabelInTheRecordsOrder) {
    type(control.Txt_Entite, "007");
    EXPECT_EQ(
        itemTexts(control.Lst_Codes),
        (std::vector<std::string>{"101;103;106;108;105", "101;;106;108;", "007;;;;", "101;;;;"}));
    ASSERT_EQ(control.Lst_Detail.ListCount(), 4);
    EXPECT_EQ(control.Lst_Detail.List(0),
              column("101-Heures normales") + column("103-Heures dimanche") +
                  column("106-Heures fériées travaillées") +
                  column("108-Heures fériées chômées pay") + column("105-Heures 1er mai"));
    EXPECT_EQ(control.Lst_Detail.List(1), column("101-Heures normales") + column() +
                                              column("106-Heures fériées travaillées") +
                                              column("108-Heures fériées chômées pay") + column())
        << "rubrics that no longer exist are blank";
    EXPECT_EQ(control.Lst_Detail.List(2),
              column("007-Heures d'évaluation à domi") + column() + column() + column() + column())
        << "rubric 7 stored as 007 is found under its number";
    EXPECT_EQ(control.Lst_Detail.List(3), "101-Heures normales" + std::string(136, ' '));
    for (const std::string& line : itemTexts(control.Lst_Detail))
        EXPECT_EQ(platform::characterCount(line), 155u);
    EXPECT_EQ(control.Lst_Detail.ListIndex(), -1);
}

TEST_F(EntityOpeningTest, TheLinesEndAtTheFirstEmptyWeekdayRubric) {
    type(control.Txt_Entite, "001");
    EXPECT_EQ(itemTexts(control.Lst_Codes), (std::vector<std::string>{"101;;;;", "103;;;;"}));
}

TEST_F(EntityOpeningTest, EnterCompletesAShortCodeWithZerosAndLeavesALongerOneAlone) {
    type(control.Txt_Entite, "7");
    user.typeKey(control.Txt_Entite, toolkit::kKeyEnter);
    EXPECT_EQ(control.Txt_Entite.Text(), "007");
    EXPECT_TRUE(entityOpen());

    closeEntity();
    user.paste(control.Txt_Entite, "0123");
    user.typeKey(control.Txt_Entite, toolkit::kKeyEnter);
    EXPECT_EQ(control.Txt_Entite.Text(), "0123");
    EXPECT_TRUE(screenCleared());
    EXPECT_TRUE(messages.asked.empty());

    closeEntity();
    user.typeKey(control.Txt_Entite, toolkit::kKeyEnter);
    ASSERT_EQ(messages.asked.size(), 1u) << "an empty box becomes 000, which names no entity";
    EXPECT_EQ(control.Txt_Entite.Text(), "");
}

TEST_F(EntityOpeningTest, LeavingTheBoxCompletesAShortCodeButNotAnEmptyOne) {
    user.moveFocus(control.Txt_Entite);
    user.moveFocus(control.Cbo_Entite);
    EXPECT_EQ(control.Txt_Entite.Text(), "");

    type(control.Txt_Entite, "7");
    user.moveFocus(control.Cbo_Entite);
    EXPECT_EQ(control.Txt_Entite.Text(), "007");
    EXPECT_EQ(control.Cbo_Entite.Text(), "Domicile Plus Cassignac");
    EXPECT_TRUE(entityOpen());
}

TEST_F(EntityOpeningTest, AnUnknownCodeIsRefusedOnceThenTheBoxIsEmptyAndHasTheFocus) {
    type(control.Txt_Entite, "01");
    user.moveFocus(control.Cbo_Entite);  // 001 opens
    closeEntity();
    for (const char* unknown : {"999", "ABC"}) {  // abc exists, in lower case
        messages.asked.clear();
        type(control.Txt_Entite, unknown);
        ASSERT_EQ(messages.asked.size(), 1u) << unknown;
        control_testing::expectBox(messages.asked[0],
                                   {"Cette entité juridique n'existe pas.", "Message QUORVEL",
                                    toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
        EXPECT_EQ(control.Txt_Entite.Text(), "");
        EXPECT_TRUE(control.Txt_Entite.hasFocus());
        EXPECT_EQ(control.Cbo_Entite.Text(), "");
        EXPECT_TRUE(screenCleared());
    }
}

TEST_F(EntityOpeningTest, ChoosingANameWritesItsCodeAndOpensThatEntity) {
    user.pick(control.Cbo_Entite, 2);
    EXPECT_EQ(control.Txt_Entite.Text(), "abc");
    EXPECT_EQ(control.Cbo_Entite.Text(), "Bastide Services");
    EXPECT_TRUE(entityOpen());
}

TEST_F(EntityOpeningTest, ANameWhoseCodeIsNotThreeCharactersOpensNothing) {
    user.pick(control.Cbo_Entite, 1);  // 0001
    EXPECT_EQ(control.Txt_Entite.Text(), "");
    EXPECT_EQ(control.Cbo_Entite.Text(), "");
    EXPECT_TRUE(screenCleared());
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(EntityOpeningTest, OnlyErasingTheNamesTextEmptiesTheCodeBox) {
    user.paste(control.Txt_Entite, "0123");
    type(control.Cbo_Entite, "x");
    EXPECT_EQ(control.Txt_Entite.Text(), "0123") << "a name typed chooses nothing";
    user.typeKey(control.Cbo_Entite, toolkit::kKeyBackspace);
    EXPECT_EQ(control.Txt_Entite.Text(), "");
}

TEST_F(EntityOpeningTest, TheOnlyEntityOpensAtStartUpWithItsLines) {
    Ctr_Ostrevan alone;
    mvdb::Database single = mvdb::Database::Create(path("single.mvdb"));
    put(single, "ASSOCIATION", "007", "Domicile Plus Cassignac");
    put(single, "RUBSAISIE", "101", "Heures normales^3");
    put(single, "TPSPARAMBASCUL", "007", "^^^^101]101");
    alone.TheDatabase(std::make_shared<mvdb::Database>(single));
    alone.DroitsUtilisateur(control_testing::rightsOfLevel(2));
    alone.Init();
    EXPECT_EQ(alone.Txt_Entite.Text(), "007");
    EXPECT_EQ(itemTexts(alone.Lst_Codes), (std::vector<std::string>{"101;;;;", "101;;;;"}));
    EXPECT_FALSE(alone.Txt_RubNorm.Enabled()) << "no line is open for editing";
}

// A record that cannot be read is never opened on the record read before, nor on part of it.
class UnreadableEntityTest : public EntityOpeningTest {
protected:
    void expectRefused(const std::string& code) {
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_TRUE(messages.asked[0].text.starts_with("L'entité juridique " + code +
                                                       " ne peut pas être ouverte : "))
            << messages.asked[0].text;
        EXPECT_EQ(messages.asked[0].title, "Message QUORVEL");
        EXPECT_EQ(control.Txt_Entite.Text(), "");
        EXPECT_TRUE(control.Txt_Entite.hasFocus());
        EXPECT_TRUE(screenCleared()) << "nothing can be saved";
    }
};

TEST_F(UnreadableEntityTest, ALabelThatCannotBeReadLeavesTheEntityClosed) {
    mvdb::Database broken = mvdb::Database::Create(path("broken.mvdb"));
    Mod_Var::gFicRubSaisie = std::make_shared<mvdb::DbFile>(broken.CreateFile("RUBSAISIE"));
    mvdb::testing::OtherProgram(path("broken.mvdb")).run("DROP TABLE records");
    type(control.Txt_Entite, "007");
    expectRefused("007");
}

TEST_F(UnreadableEntityTest, ADamagedFileLeavesTheEntityClosedNotOnTheOneBefore) {
    type(control.Txt_Entite, "007");
    closeEntity();
    mvdb::testing::OtherProgram(path()).run("DROP TABLE records");
    type(control.Txt_Entite, "001");
    expectRefused("001");
}

}  // namespace
