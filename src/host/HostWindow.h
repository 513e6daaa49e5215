// The host's top-level window over the control's surface: the surface's Qt view, fixed to the
// control's design size, and Qt message boxes for the control's questions. Its title is the
// screen's, then the name of the database it shows (never a password: Database::Name()).
//
// While the window shows a surface, an error that reaches the host (from a handler, or handed to
// showError at start-up) is shown in a message box with its number, and the program goes on. The
// container window's unload (the control's "Sortir") closes the window, and closing the window
// ends the program's event loop. The window lets go of the surface when it goes; the surface
// must outlive it.
#pragma once

#include <QMainWindow>
#include <exception>
#include <string>

#include "platform/qt/MessageBoxService.h"
#include "platform/toolkit/Surface.h"

namespace host {

class HostWindow {
public:
    explicit HostWindow(const std::string& databaseName);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    void show(toolkit::Surface& surface);
    void showError(const std::exception& error);

    const QWidget& window() const { return window_; }

private:
    // Closing it ends the program, even while a help window stays open. A main window, so that
    // assistive technology reads it as the program's frame.
    class MainWindow : public QMainWindow {
    protected:
        void closeEvent(QCloseEvent* event) override;
    };

    MainWindow window_;
    qtview::MessageBoxService messages_;
    toolkit::Surface* surface_ = nullptr;
};

}  // namespace host
