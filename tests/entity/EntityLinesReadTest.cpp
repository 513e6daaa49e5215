// The lines that an opened entity shows do not depend on how its rubrics were read: by a seek a
// code or by one pass over the rubric file, forced either way or chosen by the component, on a
// file and on a server, for an entity that names a few rubrics of the file and one that names
// them all.
#include <cstdio>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "data/ParameterRecord.h"
#include "entity/LineFormat.h"

namespace mvdb {

inline void PrintTo(ManyKeysRead read, std::ostream* out) {
    static constexpr const char* kNames[] = {"Chosen", "Seeks", "Pass"};
    *out << kNames[static_cast<int>(read)];
}

}  // namespace mvdb

namespace {

using mvdb::ManyKeysRead;
using mvdb::testing::StoreKind;

// Rubrics 0 to 79; codes 80 to 99 have none. A rubric whose number is a multiple of 4 is kept
// under its number alone (8), which a line names filled with zeros (008); one whose number is 2
// more also has an older record under its number alone (10 beside 010), which no line shows.
// Labels, with accents, are longer than a column.
constexpr int kRubrics = 80;
constexpr int kCodes = 100;

std::string code(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

std::string rubricKey(int number) {
    return number % 4 == 0 ? std::to_string(number) : code(number);
}

std::string label(int number) {
    return "Heures d'intervention à domicile n°" + std::to_string(number) + " élargies";
}

// The code of a cell, line and column from 0; "" for some cells, never in the weekday column.
std::string cellCode(int line, int column) {
    const int cell = line * 5 + column;
    return column > 0 && cell % 7 == 3 ? "" : code(cell * 13 % kCodes);
}

class EntityLinesReadTest
    : public control_testing::ControlTest,
      public ::testing::WithParamInterface<std::tuple<StoreKind, ManyKeysRead, int>> {};

TEST_P(EntityLinesReadTest, EachLineShowsItsCodesAndLabelsWhateverTheRead) {
    const auto [store, read, lineCount] = GetParam();
    const std::string location = freshLocation(store);
    {
        const mvdb::Database made = databaseWithFiles(location);
        putEntities(made, {{"001", "Aide à Domicile du Val d'Ormelune"}, {"002", "Présence"}});
        for (int number = 0; number < kRubrics; ++number)
            put(made, "RUBSAISIE", rubricKey(number), label(number) + "^3");
        for (int number = 2; number < kRubrics; number += 4)
            put(made, "RUBSAISIE", std::to_string(number), "Ancienne rubrique^3");
        mvdb::DbRecord lines = made.OpenFile("TPSPARAMBASCUL").NewRecord("001");
        for (int line = 0; line < lineCount; ++line) {
            for (int column = 0; column < 5; ++column)
                lines.Replace(data::kColumns[column], line + 1, 0, cellCode(line, column));
        }
        lines.DBWrite();
    }
    handIn(mvdb::Database::Open(location, {.manyKeysRead = read}));
    control.Init();
    type(control.Txt_Entite, "001");

    std::vector<std::string> display(lineCount), codes(lineCount);
    for (int line = 0; line < lineCount; ++line) {
        for (int column = 0; column < 5; ++column) {
            const std::string cell = cellCode(line, column);
            const int number = cell.empty() ? kCodes : std::stoi(cell);
            const bool known = number < kRubrics;
            display[line] += known ? entity::columnText(cell, label(number))
                                   : std::string(entity::kColumnWidth, ' ');
            codes[line] += (column > 0 ? ";" : "") + (known ? cell : "");
        }
    }
    EXPECT_EQ(control_testing::itemTexts(control.Lst_Detail), display);
    EXPECT_EQ(control_testing::itemTexts(control.Lst_Codes), codes);
}

// 3 lines name a few of the file's rubrics, which the component seeks; 40 name them all, which it
// reads in one pass.
INSTANTIATE_TEST_SUITE_P(Reads, EntityLinesReadTest,
                         ::testing::Combine(mvdb::testing::kBothStores,
                                            ::testing::Values(ManyKeysRead::kChoose,
                                                              ManyKeysRead::kSeek,
                                                              ManyKeysRead::kScan),
                                            ::testing::Values(3, 40)));

}  // namespace
