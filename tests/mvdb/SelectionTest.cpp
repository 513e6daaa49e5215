#include <gtest/gtest.h>

#include "TestDatabase.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Selection.h"

namespace mvdb {
namespace {

using testing::errorNumberOf;

// The rubric sentence, built piece by piece as the screen builds it.
const std::string kRubricSentence = std::string("SSELECT RUBSAISIE AVEC 2 = ") + '"' + "3" + '"' +
                                    " OR = " + '"' + "4" + '"' + " OR = " + '"' + "5" + '"' +
                                    " PAR 1";

// Each sentence gives the same answer, in the same order, on both stores.
class SelectionTest : public testing::StoreTest {
protected:
    SelectionTest() : database_(Database::Create(location())) {}

    // Runs the command of the three attributes and answers the result in ^ ] \ notation.
    std::string query(const std::string& sentence, const std::string& fields,
                      const std::string& file = "") {
        DynArray command;
        command.Assign(1, sentence);
        command.Assign(2, file);
        command.Assign(3, fields);
        const DynArray result = database_.RunQuery(command.Extract(), "", count_);
        return toNotation(result.Extract());
    }

    Database database_;
    std::int32_t count_ = -1;
};

TEST_P(SelectionTest, TheEntitySentenceGivesEveryEntitySortedByName) {
    put(database_, "ASSOCIATION", "012",
        "Soins et Présence^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^TLG");
    put(database_, "ASSOCIATION", "001", "Entraide des Coteaux");
    put(database_, "ASSOCIATION", "007", "Âge d'Or Services^3 rue Haute");
    put(database_, "ASSOCIATION", "005", "entraide des Coteaux");
    EXPECT_EQ(query("SSELECT ASSOCIATION  PAR 1", "0 1 38", "ASSOCIATION"),
              "007]Âge d'Or Services]^001]Entraide des Coteaux]^005]entraide des Coteaux]^"
              "012]Soins et Présence]TLG");
    EXPECT_EQ(count_, 4);
}

TEST_P(SelectionTest, TheRubricSentenceKeepsTypesThreeToFiveSortedByLabel) {
    put(database_, "RUBSAISIE", "103", "Prime de panier^1");
    EXPECT_EQ(query(kRubricSentence, "0 1 2 18"), "") << "nothing selected";
    EXPECT_EQ(count_, 0);
    put(database_, "RUBSAISIE", "101", "Heures normales^3");
    put(database_, "RUBSAISIE", "102", "Heures dimanche^4^^^^^^^^^^^^^^^^31/12/2024");
    put(database_, "RUBSAISIE", "104", "Astreinte^5");
    put(database_, "RUBSAISIE", "105", "Heures normales^4");
    put(database_, "RUBSAISIE", "106", "Heures de nuit^6]5");
    put(database_, "RUBSAISIE", "107", "Indemnité^34");
    EXPECT_EQ(query(kRubricSentence, "0 1 2 18", "RUBSAISIE"),
              "104]Astreinte]5]^106]Heures de nuit]6\\5]^102]Heures dimanche]4]31/12/2024^"
              "101]Heures normales]3]^105]Heures normales]4]");
    EXPECT_EQ(count_, 5);
}

TEST_P(SelectionTest, WithoutSortFieldsRecordsComeInKeyOrderAndEveryWithClauseMustHold) {
    put(database_, "RUBSAISIE", "2", "b^3^y");
    put(database_, "RUBSAISIE", "10", "a^4^y");
    put(database_, "RUBSAISIE", "1", "c^3^x");
    EXPECT_EQ(query("SELECT RUBSAISIE", ""), "1^10^2");
    EXPECT_EQ(query("SSELECT RUBSAISIE WITH 0 = \"2\" OR = \"1\"", "1 0"), "c]1^b]2");
    EXPECT_EQ(query("SSELECT RUBSAISIE BY 2 BY 1", "0"), "2^1^10");
    EXPECT_EQ(query("SSELECT RUBSAISIE WITH 2 = \"3\" WITH 3 = \"y\" OR 0 = \"10\"", "0"), "2");
}

TEST_P(SelectionTest, AWrongCommandFailsAndNamesWhatIsWrong) {
    put(database_, "RUBSAISIE", "101", "Heures normales^3");
    EXPECT_EQ(errorNumberOf([&] { query(kRubricSentence, "0 1", "ASSOCIATION"); }),
              kErrQueryCommand);
    EXPECT_EQ(errorNumberOf([&] { query(kRubricSentence, "0 un"); }), kErrQueryCommand);
    EXPECT_EQ(errorNumberOf([&] { query(kRubricSentence, "0 -1"); }), kErrQueryCommand);
    EXPECT_EQ(errorNumberOf([&] { query("SSELECT ASSOCIATION", "0"); }), kErrNoSuchFile);
    EXPECT_EQ(errorNumberOf([&] { query("SSELECT RUBSAISIE PAR", "0"); }), kErrSentence);
    EXPECT_EQ(errorNumberOf([&] { database_.RunQuery(kRubricSentence, "TRI", count_); }),
              kErrQueryCommand);
}

INSTANTIATE_TEST_SUITE_P(Stores, SelectionTest, testing::kBothStores, testing::storeName);

}  // namespace
}  // namespace mvdb
