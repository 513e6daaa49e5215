// ostrevan-host: the host application of the settings screen Ctr_Ostrevan. It creates the control
// through the component runtime and shows it in a window, or, with --headless --script FILE,
// plays a script over it without a display (see Options.h for the command line and the exit
// statuses). Errors of the host itself go to standard error as "ostrevan-host: " and their text.
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/HeadlessHost.h"
#include "host/Options.h"
#include "host/ProgramFolder.h"
#include "host/WindowLibrary.h"
#include "platform/FreedMemory.h"

namespace {

// The README that the usage names: the installed one, or the one of the sources and where it goes.
std::string readme() {
    return host::installedOrBuilt(OSTREVAN_INSTALLED_README, OSTREVAN_README);
}

}  // namespace

int main(int argc, char** argv) {
    platform::keepFreedMemory();
    host::Options options;
    try {
        options = host::parseOptions(std::vector<std::string_view>(argv + 1, argv + argc));
    } catch (const host::UsageError& error) {
        const std::string usage = host::usage(readme());
        std::cerr << "ostrevan-host: " << error.what() << '\n'
                  << usage.substr(0, usage.find('\n') + 1) << "(--help pour en savoir plus)\n";
        return host::kExitUsage;
    }
    if (options.help || options.version) {
        std::cout << (options.help ? host::usage(readme()) : host::versionLine());
        return host::kExitPassed;
    }
    try {
        return options.headless ? host::runHeadless(options) : host::runWindow(options, argc, argv);
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "ostrevan-host: " << error.what() << '\n';
        return host::kExitFailed;
    }
}
