// The host with a real window: a top-level window holding the control's surface (its Qt view,
// fixed to the control's design size), Qt message boxes, and the help in a window of its own.
//
// An error that reaches the host, at start-up or later, is shown in a message box and the program
// goes on. The container window's unload (the control's "Sortir") closes the window; closing the
// window ends the program. Answers kExitNoDisplay, having said so on standard error, where no
// display is available (neither DISPLAY nor WAYLAND_DISPLAY set, nor QT_QPA_PLATFORM), and
// kExitFailed when the control could not be created.
#pragma once

#include "host/Options.h"

namespace host {

int runWindow(const Options& options, int& argc, char** argv);

}  // namespace host
