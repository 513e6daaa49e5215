#include <string>

#include <gtest/gtest.h>

#include "platform/component/Object.h"
#include "platform/rights/Rights.h"
#include "platform/rights/RightsErrors.h"

namespace {

using rights::ConfiguredRights;

std::int32_t levelOf(ConfiguredRights& rights, std::string code) {
    return rights.GetFunctionRights(code)->AccessLevel();
}

void expectNoFunctionCode(auto&& call) {
    try {
        call();
        FAIL() << "an empty function code was accepted";
    } catch (const platform::ComponentError& error) {
        EXPECT_EQ(error.number(), rights::kErrNoFunctionCode);
        EXPECT_NE(std::string(error.what()).find("code de fonction"), std::string::npos);
    }
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
    const auto second = rights.GetFunctionRights(code);

    EXPECT_NE(first.shared(), second.shared());
    EXPECT_EQ(first->AccessLevel(), 2);
    EXPECT_EQ(second->AccessLevel(), 1);
    EXPECT_EQ(code, "PARAMINTEGRGENE");
}

TEST(ConfiguredRights, AnEmptyCodeIsRefusedAndNothingChanges) {
    ConfiguredRights rights;
    rights.setLevel("PARAMINTEGRGENE", 2);
    std::string empty;

    expectNoFunctionCode([&] { rights.GetFunctionRights(empty); });
    expectNoFunctionCode([&] { rights.setLevel("", 2); });
    EXPECT_EQ(levelOf(rights, "PARAMINTEGRGENE"), 2);
    EXPECT_EQ(levelOf(rights, "AUTRE"), rights::kNoRight);
}

TEST(ConfiguredRights, IsTakenAsUserRightsFromTheObjectThatAHostHandsOver) {
    const component::ObjectRef object = std::make_shared<ConfiguredRights>(2);
    const auto taken = component::as<rights::UserRights>(object, "UserRights");
    std::string code = "PARAMINTEGRGENE";
    EXPECT_EQ(taken->GetFunctionRights(code)->AccessLevel(), 2);
}

}  // namespace
