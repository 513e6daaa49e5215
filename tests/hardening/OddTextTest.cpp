// Names, labels and codes that the screen does not expect: bytes that are no valid UTF-8
// (truncated sequences, lone continuation bytes, overlong forms, surrogates), texts of thousands
// of characters, and marks inside names and labels. The names are listed and chosen as they are
// stored, and what is saved holds codes only; how a column cuts such a label is LineFormatTest's.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/mvdb/Notation.h"

namespace {

using control_testing::itemTexts;

class OddTextTest : public control_testing::EditorTest {
protected:
    // Starts the control again, as a host does, so that its lists show what the test added.
    void restart() {
        user.click(control.Cmd_Annuler);
        control.Init();
    }

    // The user picks the entity of that name in the entity list.
    void pick(const std::string& name) {
        const std::vector<std::string> names = itemTexts(control.Cbo_Entite);
        const auto named = std::find(names.begin(), names.end(), name);
        ASSERT_NE(named, names.end()) << "not listed: " << name;
        user.pick(control.Cbo_Entite, static_cast<int>(named - names.begin()));
    }
};

TEST_F(OddTextTest, BadBytesInNamesAndLabelsAreShownAsReadAndNeverSaved) {
    const std::string name = "Aide \xE0 domicile \x80\xC0\xAF\xED\xA0\x80 \xE2\x82";
    const std::string lonely(40, '\x80');
    const std::string latin1 = std::string("Heures \xE9t\xE9 major\xE9") + "es de nuit du dimanche";
    putEntities(database, {{"015", name}});
    putRubrics(database, {{"116", lonely}, {"117", latin1}});
    put(database, "TPSPARAMBASCUL", "015", "^^^^116^^117^^");
    restart();

    EXPECT_EQ(control.Cbo_Entite.List(0), name);  // listed as stored, then shown by its code
    type(control.Txt_Entite, "015");
    EXPECT_EQ(control.Cbo_Entite.Text(), name);
    const std::string line = "116-" + lonely.substr(0, 26) + " " + std::string(93, ' ') + "117-" +
                             latin1.substr(0, 26) + " ";
    ASSERT_EQ(itemTexts(control.Lst_Detail), std::vector<std::string>{line});

    open(0);  // the line editor shows the line's rubrics, then writes the line back as it was
    EXPECT_EQ(control.Cbo_RubNorm.Text(), lonely);
    EXPECT_EQ(control.Cbo_Rub1Mai.Text(), latin1);
    user.click(control.Cmd_OkDetail);
    EXPECT_EQ(itemTexts(control.Lst_Detail), std::vector<std::string>{line});
    addLine({"117"});
    user.click(control.Cmd_Ok);
    EXPECT_EQ(storedRecord("015"), "^^^^116]117^]^117]^]^]");
}

// The text repeated to at least that many bytes.
std::string repeated(const std::string& text, std::size_t size) {
    std::string whole;
    while (whole.size() < size)
        whole += text;
    return whole;
}

TEST_F(OddTextTest, LongNamesLabelsAndCodesAreCutOnScreenAndSavedWhole) {
    const std::string name = repeated("Association d'aide à domicile du Val d'Ormelune ", 6000);
    const std::string label = repeated("Heures fériées majorées ", 6000);
    const std::string longCode = std::string(4000, '0') + "118";  // the rubric kept under 118
    putEntities(database, {{"016", name}, {std::string(mvdb::kMaxNameBytes, 'k'), name + "bis"}});
    putRubrics(database, {{"118", label}});
    put(database, "TPSPARAMBASCUL", "016", "^^^^" + longCode + "^118");
    restart();

    pick(name + "bis");
    EXPECT_FALSE(control.Cmd_Ajouter.Enabled()) << "a key that is no code opens nothing";
    pick(name);
    ASSERT_EQ(control.Txt_Entite.Text(), "016");
    EXPECT_EQ(itemTexts(control.Lst_Codes), std::vector<std::string>{longCode + ";118;;;"});
    const std::string labelColumn = "118-Heures fériées majorées He ";  // 30 characters, a blank
    EXPECT_TRUE(control.Lst_Detail.List(0).starts_with(std::string(30, '0') + " " + labelColumn));

    addLine({"118"});
    EXPECT_TRUE(control.Lst_Detail.List(1).starts_with(labelColumn));
    user.click(control.Cmd_Ok);
    EXPECT_EQ(storedRecord("016"), "^^^^" + longCode + "]118^118]^]^]^]");
}

TEST_F(OddTextTest, NamesAndLabelsWithMarksAreListedChosenAndSaved) {
    putEntities(database, {{"013", R"(Domicile]Plus\Cassignac)"}});
    put(database, "ASSOCIATION", "014", "^^^");
    putRubrics(database, {{"111", R"(Heures]de\garde)"}});
    put(database, "RUBSAISIE", "112", "Heures d'astreinte^3]9");
    put(database, "RUBSAISIE", "113", "^^^");
    put(database, "TPSPARAMBASCUL", "013", "^^^^113]112");
    restart();

    // The name's values are kept apart, in their one column.
    pick(mvdb::fromNotation(R"(Domicile\Plus\Cassignac)"));
    ASSERT_EQ(control.Txt_Entite.Text(), "013");
    EXPECT_EQ(itemTexts(control.Lst_Codes), (std::vector<std::string>{"113;;;;", "112;;;;"}));
    EXPECT_EQ(control.Lst_Detail.List(0).substr(0, 31), "113-" + std::string(27, ' '));
    addLine({"111", "112"});
    user.click(control.Cmd_Ok);
    EXPECT_EQ(storedRecord("013"), "^^^^113]112]111^]]112^]]^]]^]]");

    type(control.Txt_Entite, "014");
    EXPECT_TRUE(control.Cmd_Ajouter.Enabled()) << "an entity without a name opens by its code";
}

}  // namespace
