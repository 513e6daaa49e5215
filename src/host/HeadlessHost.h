// The headless host: no display; the control is created and started as in a window, then the
// script of --script is played over it (ScriptRunner.h).
//
// Message boxes and the help viewer's calls print on standard output (MSGBOX ..., HELP ...), as
// does dump. Answers kExitPassed when every line passed; otherwise prints on standard error the
// script's file, the failed line and what differed, and answers kExitFailed. A script that does
// not parse fails before the database is opened or the control created.
#pragma once

#include "host/Options.h"

namespace host {

int runHeadless(const Options& options);

}  // namespace host
