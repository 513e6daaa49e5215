// The sample database that mvdb sample writes, read as the settings screen reads it.
#include <algorithm>
#include <set>

#include "ToolRun.h"
#include "platform/mvdb/Marks.h"

namespace mvdbtool::testing {
namespace {

// The rubrics that may receive hours, as the screen asks for them; their order is the selection's
// (DatabaseTest).
constexpr const char* kOfferedRubrics = R"(SSELECT RUBSAISIE AVEC 2 = "3" OR = "4" OR = "5" PAR 1)";

// The pieces of text between separators, as the component cuts a text at its marks.
std::vector<std::string> split(std::string_view text, char separator) {
    const std::vector<std::string_view> pieces = mvdb::splitPieces(text, separator);
    return {pieces.begin(), pieces.end()};
}

class SampleTest : public ToolTest {
protected:
    void SetUp() override { succeeds({path(), "sample"}); }

    // The selected records, each cut into its values.
    std::vector<std::vector<std::string>> query(const std::string& sentence,
                                                const std::string& fields) const {
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> lines = split(succeeds({path(), "query", sentence, fields}), '\n');
        lines.pop_back();
        rows.reserve(lines.size());
        for (const std::string& line : lines)
            rows.push_back(split(line, ']'));
        return rows;
    }
};

TEST_F(SampleTest, RefusesADatabaseThatHoldsAnyOfItsFiles) {
    EXPECT_EQ(succeeds({path(), "files"}), "ASSOCIATION\nRUBSAISIE\nTPSPARAMBASCUL\n");
    const std::string before = contents(path());
    fails(mvdb({path(), "sample"}), "ASSOCIATION");
    EXPECT_EQ(contents(path()), before);
    // The files made before the one that is already there are undone too.
    const std::string other = path("other.mvdb");
    succeeds({other, "create"});
    succeeds({other, "put", "TPSPARAMBASCUL", "001", "x"});
    fails(mvdb({other, "sample"}), "TPSPARAMBASCUL");
    EXPECT_EQ(succeeds({other, "files"}), "TPSPARAMBASCUL\n");
}

TEST_F(SampleTest, EveryParameterLineNamesOpenRubricsOnlyAndClosedOnesAreOfferedToo) {
    const auto rubrics = query(kOfferedRubrics, "0 1 2 18");
    ASSERT_GE(rubrics.size(), 30U);
    std::set<std::string> open = {""};
    for (const auto& rubric : rubrics)
        if (rubric[3].empty()) open.insert(rubric[0]);
    EXPECT_TRUE(std::any_of(rubrics.begin(), rubrics.end(), [](const auto& r) {
        return r[3] != "";
    })) << "closed rubrics are offered too";

    const auto parameters = query("SSELECT TPSPARAMBASCUL", "5 6 7 8 9");
    EXPECT_EQ(parameters.size(), 5U);
    for (const auto& fields : parameters) {
        // A multivalued field comes as subvalues, one per line; the weekday rubric is on each.
        const std::vector<std::string> weekday = split(fields[0], '\\');
        EXPECT_TRUE(weekday.size() >= 1 && weekday.size() <= 4) << fields[0];
        EXPECT_EQ(std::count(weekday.begin(), weekday.end(), ""), 0) << fields[0];
        for (const std::string& field : fields) {
            for (const std::string& code : split(field, '\\'))
                EXPECT_EQ(open.count(code), 1U) << code;
        }
    }
}

}  // namespace
}  // namespace mvdbtool::testing
