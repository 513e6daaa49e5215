#include "host/WindowLibrary.h"

#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

#include <dlfcn.h>

#include "host/ProgramFolder.h"
#include "host/WindowHost.h"

namespace host {
namespace {

bool hasEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool displayAvailable() {
    return hasEnvironment("DISPLAY") || hasEnvironment("WAYLAND_DISPLAY") ||
           hasEnvironment("QT_QPA_PLATFORM");
}

[[noreturn]] void cannotLoad(const std::string& library) {
    const char* reason = ::dlerror();
    throw std::runtime_error("la bibliothèque de la fenêtre « " + library +
                             " » ne se charge pas : " +
                             (reason ? "« " + std::string(reason) + " »" : "raison inconnue"));
}

}  // namespace

int runWindow(const Options& options, int& argc, char** argv) {
    if (!displayAvailable()) {
        std::cerr << "ostrevan-host: aucun affichage disponible (ni DISPLAY, ni WAYLAND_DISPLAY, "
                     "ni QT_QPA_PLATFORM ne sont définis) ; utilisez --headless --script FICHIER\n";
        return kExitNoDisplay;
    }
    const std::string library =
        installedOrBuilt(OSTREVAN_INSTALLED_WINDOW_LIBRARY, OSTREVAN_WINDOW_LIBRARY);
    // Never closed: the toolkit's own objects go at the end of the process.
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) cannotLoad(library);
    const auto run =
        reinterpret_cast<decltype(&ostrevanRunWindow)>(::dlsym(handle, kRunWindowEntry));
    if (run == nullptr) cannotLoad(library);
    return run(&options, &argc, argv);
}

}  // namespace host
