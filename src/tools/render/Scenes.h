// The scenes that ostrevan-render draws: for each mode of the screen, the picture's file name, the
// sample database as the scene needs it, the user's access level, and what the user does after
// Init to bring the screen into that mode, through the user's actions on the widgets, as a person
// does (toolkit::User), so that the handlers of the control run as they do in a host.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "control/Ctr_Ostrevan_p.h"
#include "platform/toolkit/User.h"

namespace render {

struct Scene {
    const char* file;
    std::int32_t accessLevel;
    // Changes the fresh sample database before the control starts; nullptr keeps it as it is.
    void (*prepare)(const std::string& database);
    void (*play)(Ctr_Ostrevan& control, toolkit::User& user);
    // The text of the one message box the scene shows (answered OK), or nullptr for none.
    const char* message;
};

std::span<const Scene> scenes();

}  // namespace render
