// Opening an entity through the entity pair, as the user types codes and chooses names, and the
// lines that its parameter record shows.
#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "mvdb/OtherProgram.h"

namespace {

using control_testing::column;

class EntityOpeningTest : public control_testing::EditorTest {
protected:
    // The screen started again, cleared, over more entities; in the list, by name: 001, 0001,
    // abc, 007, 012. 001 has two lines, whose labels are read when it opens.
    EntityOpeningTest() {
        putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"},
                               {"0001", "Ancien code"},
                               {"abc", "Bastide Services"}});
        put(database, "TPSPARAMBASCUL", "001", "^^^^101]103^^^^");
        user.click(control.Cmd_Annuler);
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

    // The code was refused with that message: the box emptied, with the focus, the screen cleared.
    void expectRefused(const std::string& message) {
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_TRUE(messages.asked[0].text.starts_with(message)) << messages.asked[0].text;
        EXPECT_EQ(control.Txt_Entite.Text(), "");
        EXPECT_TRUE(control.Txt_Entite.hasFocus());
        EXPECT_EQ(control.Cbo_Entite.Text(), "");
        EXPECT_TRUE(screenCleared()) << "nothing can be saved";
        messages.asked.clear();
    }
};

TEST_F(EntityOpeningTest, TheThirdCharacterOpensTheEntityItsLinesShowingClosedRubricsToo) {
    type(control.Txt_Entite, "01");
    EXPECT_TRUE(screenCleared());
    EXPECT_EQ(control.Cbo_Entite.Text(), "");
    type(control.Txt_Entite, "2");
    EXPECT_TRUE(entityOpen());
    EXPECT_EQ(control.Cbo_Entite.Text(), "Présence");
    EXPECT_EQ(control.Lst_Detail.ListCount(), 0) << "012 has no record";
    EXPECT_TRUE(messages.asked.empty());

    // A closed rubric is still shown. (How each line shows its rubrics: EntityLinesReadTest.)
    closeEntity();
    type(control.Txt_Entite, "007");
    EXPECT_EQ(control.Lst_Detail.List(3),
              column("132-Heures dimanche (ancienne") + std::string(124, ' '));
}

TEST_F(EntityOpeningTest, EnterOrLeavingTheBoxCompletesAShortCodeAndAnUnknownCodeIsRefused) {
    type(control.Txt_Entite, "7");
    user.typeKey(control.Txt_Entite, toolkit::kKeyEnter);
    EXPECT_EQ(control.Txt_Entite.Text(), "007");
    EXPECT_TRUE(entityOpen());

    closeEntity();
    user.paste(control.Txt_Entite, "0123");
    user.typeKey(control.Txt_Entite, toolkit::kKeyEnter);
    EXPECT_EQ(control.Txt_Entite.Text(), "0123") << "a longer code is left alone";
    EXPECT_TRUE(screenCleared());
    EXPECT_TRUE(messages.asked.empty());

    closeEntity();
    user.moveFocus(control.Txt_Entite);
    user.moveFocus(control.Cbo_Entite);
    EXPECT_EQ(control.Txt_Entite.Text(), "") << "an empty box is not completed on leaving";
    type(control.Txt_Entite, "7");
    user.moveFocus(control.Cbo_Entite);
    EXPECT_EQ(control.Txt_Entite.Text(), "007");
    EXPECT_EQ(control.Cbo_Entite.Text(), "Domicile Plus Cassignac");
    EXPECT_TRUE(entityOpen());

    closeEntity();
    user.typeKey(control.Txt_Entite, toolkit::kKeyEnter);
    expectRefused("Cette entité juridique n'existe pas.");  // an empty box becomes 000
    for (const char* unknown : {"999", "ABC"}) {            // abc exists, in lower case
        type(control.Txt_Entite, unknown);
        expectRefused("Cette entité juridique n'existe pas.");
    }
}

TEST_F(EntityOpeningTest, ChoosingANameWritesItsCodeWhichOpensTheEntityWhenItHasThree) {
    user.pick(control.Cbo_Entite, 2);
    EXPECT_EQ(control.Txt_Entite.Text(), "abc");
    EXPECT_TRUE(entityOpen());

    closeEntity();
    user.pick(control.Cbo_Entite, 1);  // 0001
    EXPECT_EQ(control.Txt_Entite.Text(), "");
    EXPECT_EQ(control.Cbo_Entite.Text(), "");
    EXPECT_TRUE(screenCleared());
    EXPECT_TRUE(messages.asked.empty());

    // Only erasing the name's text empties the code box; a name typed chooses nothing.
    user.paste(control.Txt_Entite, "0123");
    type(control.Cbo_Entite, "x");
    EXPECT_EQ(control.Txt_Entite.Text(), "0123");
    user.typeKey(control.Cbo_Entite, toolkit::kKeyBackspace);
    EXPECT_EQ(control.Txt_Entite.Text(), "");
}

// A record that cannot be read is never opened on the record read before, nor on part of it.
TEST_F(EntityOpeningTest, AnEntityThatCannotBeReadIsRefusedAndLeftClosed) {
    type(control.Txt_Entite, "007");
    closeEntity();
    // Its labels cannot be read.
    const auto rubrics = Mod_Var::gFicRubSaisie;
    mvdb::Database broken = mvdb::Database::Create(path("broken.mvdb"));
    Mod_Var::gFicRubSaisie = std::make_shared<mvdb::DbFile>(broken.CreateFile("RUBSAISIE"));
    mvdb::testing::OtherProgram(path("broken.mvdb")).run("DROP TABLE records");
    type(control.Txt_Entite, "001");
    expectRefused("L'entité juridique 001 ne peut pas être ouverte : ");

    // Its record cannot be read.
    Mod_Var::gFicRubSaisie = rubrics;
    mvdb::testing::OtherProgram(path()).run("DROP TABLE records");
    type(control.Txt_Entite, "007");
    expectRefused("L'entité juridique 007 ne peut pas être ouverte : ");
}

}  // namespace
