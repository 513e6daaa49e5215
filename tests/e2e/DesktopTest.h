// What every test in a real window starts from: the host on a virtual display of the test's own,
// over a fresh sample database in the test's folder; the test is skipped where the tools that make
// a real window are not installed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "e2e/Desktop.h"

namespace e2e {

// Entity 007's record in the sample database: its attributes before its lines, then its four
// lines 101;104;106;108;109, 111;105;107;125;110, 120 alone and 007 alone (weekday, Sunday, worked
// and non-worked public holidays, May Day).
inline const std::string kHead007 =
    "28/11/2024^PAIE03^Ajout des déplacements et des évaluations^15/09/2021^";
inline const std::string kStored007 =
    kHead007 + "101]111]120]007^104]105]]^109]110]]^106]107]]^108]125]]";

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string missing = missingTools();
        if (!missing.empty())
            GTEST_SKIP() << "a real window needs " << missing << ", not installed";
        desktop = std::make_unique<Desktop>(folder.path(), hostEnvironment());
    }

    // What the host's environment adds ("NAME=value"); nothing by default.
    virtual std::vector<std::string> hostEnvironment() const { return {}; }

    test_support::TestFolder folder{"e2e"};
    std::unique_ptr<Desktop> desktop;
};

}  // namespace e2e
