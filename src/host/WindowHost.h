// The host with a real window (HostWindow.h) over the control, with the help in a window of its
// own: the library ostrevan-window, which the host loads only when a window is asked for
// (WindowLibrary.h), so that a headless host never loads the toolkit's views. Answers kExitFailed
// when the control could not be created.
#pragma once

#include "host/Options.h"

// The library's entry point, by this name: runs the window until it closes and answers the exit
// status. Requires a display (WindowLibrary.h checks it first).
extern "C" int ostrevanRunWindow(const host::Options* options, int* argc, char** argv);
inline constexpr const char* kRunWindowEntry = "ostrevanRunWindow";
