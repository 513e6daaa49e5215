#include "platform/help/WindowHelpViewer.h"

#include <QString>
#include <QTextBrowser>
#include <QUrl>

#include "platform/help/HelpFolder.h"

namespace help {

namespace {

constexpr int kWindowWidth = 720;
constexpr int kWindowHeight = 560;

std::unique_ptr<QTextBrowser> makeWindow() {
    auto window = std::make_unique<QTextBrowser>();
    window->setOpenExternalLinks(true);
    window->resize(kWindowWidth, kWindowHeight);
    return window;
}

}  // namespace

WindowHelpViewer::WindowHelpViewer() = default;
WindowHelpViewer::~WindowHelpViewer() = default;

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
