// The host with a real window (HostWindow.h) over the control, with the help in a window of its
// own. Answers kExitNoDisplay, having said so on standard error, where no display is available
// (neither DISPLAY nor WAYLAND_DISPLAY set, nor QT_QPA_PLATFORM), and kExitFailed when the
// control could not be created.
#pragma once

#include "host/Options.h"

namespace host {

int runWindow(const Options& options, int& argc, char** argv);

}  // namespace host
