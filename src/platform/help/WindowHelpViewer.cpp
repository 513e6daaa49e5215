#include "platform/help/WindowHelpViewer.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>
#include <vector>

#include "platform/help/HelpFolder.h"

namespace help {

namespace {

constexpr int kWindowWidth = 720;
constexpr int kWindowHeight = 560;

// The help windows of the running application, deleted when it ends: a widget deleted after the
// application crashes the process. The application calls the routine once, as it ends.
struct WindowsMade {
    std::vector<QPointer<QTextBrowser>> windows;
    bool deletedAtTheEnd = false;
};

WindowsMade& windowsMade() {
    static WindowsMade made;
    return made;
}

void deleteWindowsMade() {
    for (const QPointer<QTextBrowser>& window : windowsMade().windows)
        delete window.data();
    windowsMade() = {};
}

QTextBrowser* makeWindow() {
    WindowsMade& made = windowsMade();
    if (!made.deletedAtTheEnd) qAddPostRoutine(deleteWindowsMade);
    made.deletedAtTheEnd = true;
    std::erase_if(made.windows, [](const QPointer<QTextBrowser>& window) { return !window; });
    auto* window = new QTextBrowser();
    window->setOpenExternalLinks(true);
    window->resize(kWindowWidth, kWindowHeight);
    made.windows.emplace_back(window);
    return window;
}

}  // namespace

WindowHelpViewer::WindowHelpViewer() = default;
WindowHelpViewer::~WindowHelpViewer() {
    delete window_.data();
}

void WindowHelpViewer::ShowHelp(std::string& page, std::string& /*context*/, std::string& title,
                                std::string& /*options*/) {
    const std::filesystem::path file = findHelpPage(page);
    if (!window_) window_ = makeWindow();
    window_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    window_->setWindowTitle(QString::fromStdString(title));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void WindowHelpViewer::SetClient(component::Ref<mvdb::DbClient> /*client*/) {}

void WindowHelpViewer::SetDatabase(component::Ref<mvdb::Database> /*database*/) {}

}  // namespace help
