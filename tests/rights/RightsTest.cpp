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

TEST(ConfiguredRights, AnswersTheLevelOfEachCodeAndTheOtherLevelForTheRestInANewObjectEachTime) {
    ConfiguredRights rights;
    rights.setLevel("PARAMINTEGRGENE", 2);
    rights.setLevel("PLANNING", 1);
    EXPECT_EQ(levelOf(rights, "PARAMINTEGRGENE"), 2);
    EXPECT_EQ(levelOf(rights, "PLANNING"), 1);
    EXPECT_EQ(levelOf(rights, "AUTRE"), rights::kNoRight);
    EXPECT_EQ(levelOf(rights, "paramintegrgene"), rights::kNoRight);
    ConfiguredRights generous(3);
    generous.setLevel("PARAMINTEGRGENE", 2);
    EXPECT_EQ(levelOf(generous, "AUTRE"), 3);
    EXPECT_EQ(levelOf(generous, "PARAMINTEGRGENE"), 2);

    // Each answer is a new object that keeps the level of its moment.
    std::string code = "PLANNING";
    const auto before = rights.GetFunctionRights(code);
    rights.setLevel(code, 3);
    EXPECT_NE(before.shared(), rights.GetFunctionRights(code).shared());
    EXPECT_EQ(before->AccessLevel(), 1);
    EXPECT_EQ(levelOf(rights, code), 3);
    EXPECT_EQ(code, "PLANNING");
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
