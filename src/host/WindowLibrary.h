// The window's side of the host, loaded when a window is asked for: answers kExitNoDisplay, having
// said so on standard error, where no display is available (neither DISPLAY nor WAYLAND_DISPLAY
// set, nor QT_QPA_PLATFORM); otherwise loads the library ostrevan-window (the installed one when
// the host runs from an installed tree, else the build's) and runs the window (WindowHost.h).
// Failures: throws std::runtime_error naming the library when it cannot be loaded.
#pragma once

#include "host/Options.h"

namespace host {

int runWindow(const Options& options, int& argc, char** argv);

}  // namespace host
