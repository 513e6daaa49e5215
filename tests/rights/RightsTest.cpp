// The rights that a host configures: a level per function code, compared byte for byte, one level
// for every other code, each answer a new object keeping the level of its moment.
#include <gmock/gmock.h>

#include "TestSupport.h"
#include "platform/rights/Rights.h"
#include "platform/rights/RightsErrors.h"

namespace {

using rights::ConfiguredRights;
using test_support::failureOf;

std::int32_t levelOf(ConfiguredRights& rights, std::string code) {
    return rights.GetFunctionRights(code)->AccessLevel();
}

TEST(ConfiguredRights, AnswersTheLevelOfEachCodeAndTheOtherLevelForTheRest) {
    ConfiguredRights rights;
    rights.setLevel("PARAMINTEGRGENE", 2);
    rights.setLevel("PLANNING", 1);
    EXPECT_EQ(levelOf(rights, "PARAMINTEGRGENE"), 2);
    EXPECT_EQ(levelOf(rights, "PLANNING"), 1);
    EXPECT_EQ(levelOf(rights, "AUTRE"), rights::kNoRight);
    EXPECT_EQ(levelOf(rights, "paramintegrgene"), rights::kNoRight);
    rights.setOtherLevel(1);
    EXPECT_EQ(levelOf(rights, "AUTRE"), 1);
    EXPECT_EQ(levelOf(rights, "PARAMINTEGRGENE"), 2);
    ConfiguredRights generous(3);
    EXPECT_EQ(levelOf(generous, "AUTRE"), 3);
}

TEST(ConfiguredRights, EachAnswerIsANewObjectKeepingTheLevelOfItsMoment) {
    ConfiguredRights rights;
    std::string code = "PARAMINTEGRGENE";
    rights.setLevel(code, 2);
    const auto first = rights.GetFunctionRights(code);
    rights.setLevel(code, 1);
    EXPECT_NE(first.shared(), rights.GetFunctionRights(code).shared());
    EXPECT_EQ(first->AccessLevel(), 2);
    EXPECT_EQ(levelOf(rights, code), 1);
    EXPECT_EQ(code, "PARAMINTEGRGENE");
}

TEST(ConfiguredRights, AnEmptyCodeIsRefusedAndNothingChanges) {
    ConfiguredRights rights;
    rights.setLevel("PARAMINTEGRGENE", 2);
    for (const auto& failure :
         {failureOf([&] { levelOf(rights, ""); }), failureOf([&] { rights.setLevel("", 2); })}) {
        EXPECT_EQ(failure.number(), rights::kErrNoFunctionCode);
        EXPECT_THAT(failure.what(), testing::HasSubstr("code de fonction"));
    }
    EXPECT_EQ(levelOf(rights, "PARAMINTEGRGENE"), 2);
    EXPECT_EQ(levelOf(rights, "AUTRE"), rights::kNoRight);
}

}  // namespace
