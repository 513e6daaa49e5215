// A help viewer kept past the end of the application, as a library keeps its viewer for its whole
// life: the process ends cleanly (status 0) instead of crashing when the viewer goes.
#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/help/WindowHelpViewer.h"

static std::unique_ptr<help::WindowHelpViewer> keptViewer;

int main(int argc, char** argv) {
    {
        QApplication application(argc, argv);
        keptViewer = std::make_unique<help::WindowHelpViewer>();
        std::string page = "TpsParamPaiePlg.htm", context, title = "Aide", options;
        keptViewer->ShowHelp(page, context, title, options);
        if (keptViewer->window() == nullptr) return EXIT_FAILURE;
        QApplication::processEvents();
    }
    return keptViewer->window() == nullptr ? EXIT_SUCCESS : EXIT_FAILURE;
}
