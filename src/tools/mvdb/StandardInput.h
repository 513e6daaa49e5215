// Standard input read whole, so that a verb that takes its data there has all of it, or fails,
// before it writes anything.
#pragma once

#include <string>

namespace mvdbtool {

// Every byte of standard input, up to its end. Throws std::runtime_error naming the system's
// reason when it cannot be read, at once (a folder given as input) or midway (a device's error).
std::string readStandardInput();

}  // namespace mvdbtool
