// What the hardening tests share: the line editor's control and database (EditorTest), with the
// ways to start it again over what a test adds and to pick an entity by its name.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "control/ControlTesting.h"

namespace hardening {

class HardeningTest : public control_testing::EditorTest {
protected:
    // Starts the control again, as a host does, so that its lists show what the test added.
    void restart() {
        user.click(control.Cmd_Annuler);
        control.Init();
    }

    // The user picks the entity of that name in the entity list.
    void pick(const std::string& name) {
        const std::vector<std::string> names = control_testing::itemTexts(control.Cbo_Entite);
        const auto named = std::find(names.begin(), names.end(), name);
        ASSERT_NE(named, names.end()) << "not listed: " << name;
        user.pick(control.Cbo_Entite, static_cast<int>(named - names.begin()));
    }
};

}  // namespace hardening
