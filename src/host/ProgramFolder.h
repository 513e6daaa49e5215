// Where the host finds the libraries it loads at run time: the installed one, named relative to the
// program's own folder, when the program runs from an installed tree; otherwise the one of the
// build that made it.
#pragma once

#include <string>

namespace host {

std::string installedOrBuilt(const char* installedRelative, const char* built);

}  // namespace host
