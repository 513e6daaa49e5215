// Names and labels that are no valid UTF-8: truncated sequences, lone continuation bytes, overlong
// forms, surrogates. Each bad byte counts as one character: the columns cut between characters,
// never inside one nor past the text, and what is saved holds codes only.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "entity/LineFormat.h"
#include "hardening/HardeningTesting.h"
#include "platform/Utf8.h"

namespace {

using control_testing::itemTexts;

TEST(InvalidUtf8ColumnTest, AColumnIsCutBetweenCharactersAndFilledToItsWidth) {
    const std::string h(22, 'h');  // after "101-", 26 characters before what follows
    // A label, and how many bytes of "101-" and the label its column keeps: 30 characters at most.
    const std::vector<std::pair<std::string, std::size_t>> labels = {
        {h + "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 26 + 12},  // €€€€€
        {h + "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82", 26 + 10},  // €€€ and a cut €
        {h + "abc\xF0\x9F\x98", 30},                                    // truncated at the end
        {h + "\x80\xBF\x80\xBF\x80\xBF", 30},                           // lone continuation bytes
        {h + "\xC0\xAF\xE0\x80\xAF\xF0\x80\x80\xAF", 30},               // overlong forms
        {h + "\xED\xA0\x80\xED\xBF\xBF\xF4\x90\x80\x80", 30},           // surrogates, too large
        {"\xC3", 5},                                                    // a lone lead byte
        {std::string(40, '\xE9'), 30},                                  // Latin-1 é
    };
    for (const auto& [label, kept] : labels) {
        const std::string column = entity::columnText("101", label);
        EXPECT_EQ(platform::characterCount(column), entity::kColumnWidth);
        EXPECT_EQ(column.substr(0, kept), ("101-" + label).substr(0, kept));
        EXPECT_EQ(column.substr(kept), std::string(column.size() - kept, ' '));
        EXPECT_EQ(entity::editorColumn("101", label), column);
    }
}

class InvalidUtf8Test : public hardening::HardeningTest {};

TEST_F(InvalidUtf8Test, BadBytesInNamesAndLabelsAreShownAsReadAndNeverSaved) {
    const std::string name = "Aide \xE0 domicile \x80\xC0\xAF\xED\xA0\x80 \xE2\x82";
    const std::string lonely(40, '\x80');
    const std::string latin1 =
        "Heures \xE9t\xE9 major\xE9"
        "es de nuit du dimanche";
    putEntities(database, {{"015", name}});
    putRubrics(database, {{"116", lonely}, {"117", latin1}});
    put(database, "TPSPARAMBASCUL", "015", "^^^^116^^117^^");
    restart();

    const std::vector<std::string> names = itemTexts(control.Cbo_Entite);
    const auto named = std::find(names.begin(), names.end(), name);
    ASSERT_NE(named, names.end());
    user.pick(control.Cbo_Entite, static_cast<int>(named - names.begin()));
    ASSERT_EQ(control.Txt_Entite.Text(), "015");
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
    EXPECT_EQ(storedParameters("015"), "^^^^116]117^]^117]^]^]");
}

}  // namespace
