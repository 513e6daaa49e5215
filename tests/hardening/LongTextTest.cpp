// Names, labels and stored codes of thousands of characters: listed whole, cut to their columns,
// and saved back as they were read.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hardening/HardeningTesting.h"

namespace {

using control_testing::itemTexts;

// The text repeated to at least that many bytes.
std::string repeated(const std::string& text, std::size_t size) {
    std::string whole;
    while (whole.size() < size)
        whole += text;
    return whole;
}

class LongTextTest : public hardening::HardeningTest {};

TEST_F(LongTextTest, LongNamesLabelsAndCodesAreCutOnScreenAndSavedWhole) {
    const std::string name = repeated("Association d'aide à domicile du Val d'Ormelune ", 6000);
    const std::string label = repeated("Heures fériées majorées ", 6000);
    const std::string longCode = std::string(4000, '0') + "118";  // the rubric kept under 118
    putEntities(database, {{"016", name}, {std::string(4000, 'k'), name + "bis"}});
    putRubrics(database, {{"118", label}});
    put(database, "TPSPARAMBASCUL", "016", "^^^^" + longCode + "^118");
    restart();

    const std::vector<std::string> names = itemTexts(control.Cbo_Entite);
    const auto longKey = std::find(names.begin(), names.end(), name + "bis");
    ASSERT_NE(longKey, names.end());
    user.pick(control.Cbo_Entite, static_cast<int>(longKey - names.begin()));
    EXPECT_FALSE(control.Cmd_Ajouter.Enabled()) << "a key that is no code opens nothing";

    user.pick(control.Cbo_Entite, static_cast<int>(longKey - names.begin()) - 1);
    ASSERT_EQ(control.Txt_Entite.Text(), "016");
    EXPECT_EQ(control.Cbo_Entite.Text(), name);
    EXPECT_EQ(itemTexts(control.Lst_Codes), std::vector<std::string>{longCode + ";118;;;"});
    const std::string labelColumn = "118-Heures fériées majorées He ";  // 30 characters, a blank
    EXPECT_TRUE(control.Lst_Detail.List(0).starts_with(std::string(30, '0') + " " + labelColumn));

    addLine({"118"});
    EXPECT_TRUE(control.Lst_Detail.List(1).starts_with(labelColumn));
    user.click(control.Cmd_Ok);
    EXPECT_EQ(storedParameters("016"), "^^^^" + longCode + "]118^118]^]^]^]");
}

}  // namespace
