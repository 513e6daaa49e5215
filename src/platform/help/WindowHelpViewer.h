// WindowHelpViewer: a HelpViewer that shows the pages of the installed help folder (HelpFolder.h)
// in a window of its own.
//
// Each viewer has one window, made at its first ShowHelp and kept: every later ShowHelp shows the
// new page in it, gives it the new title, and shows and raises it again, even after the user
// closed it. Links between pages of the folder are followed in the window; other links open
// outside. The client and the database given are not needed and not kept.
// A viewer may outlive the QApplication (a library may keep its viewer for its whole life): the
// application's end deletes every help window still there, and the viewer is then left without
// one.
// Failures (HelpErrors.h): ShowHelp of a missing page or of a name that leaves the folder throws
// before anything is shown, and the window keeps its page and title.
// Needs a QApplication; only this part of the help component uses Qt.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <string>

#include "platform/help/HelpViewer.h"

namespace help {

class WindowHelpViewer final : public HelpViewer {
public:
    WindowHelpViewer();
    ~WindowHelpViewer() override;

    void ShowHelp(std::string& page, std::string& context, std::string& title,
                  std::string& options) override;
    void SetClient(component::Ref<mvdb::DbClient> client) override;
    void SetDatabase(component::Ref<mvdb::Database> database) override;

    // The window; nullptr before the first page was shown.
    const QTextBrowser* window() const { return window_.data(); }

private:
    QPointer<QTextBrowser> window_;
};

}  // namespace help
