// ostrevan::ControlWidget: the control as a Qt widget that a form holds, as Qt Designer places it
// and `uic` writes it (`new ostrevan::ControlWidget(parent)`). It owns a control just created
// (Ctr_Ostrevan_Interface::create()) and shows its surface at its design size, with the control's
// message boxes as Qt dialogs modal to the widget's window, and an error that reaches it (from a
// handler) in a message box with its number; the screen goes on.
//
// A host hands the control its database and rights and calls Init through control(), as it does
// for a control it makes itself. When the control unloads its container window (the user's
// "Sortir"), the widget says so by unloaded() and closes the window that holds it.
//
// Requires a QApplication. The widget lives in the namespace ostrevan, so that its name never
// meets the control's own class.
#pragma once

#include <QWidget>
#include <memory>

#include "control/Ctr_Ostrevan.h"

namespace ostrevan {

class ControlWidget : public QWidget {
    Q_OBJECT

public:
    explicit ControlWidget(QWidget* parent = nullptr);
    ~ControlWidget() override;

    // The control shown, for its database, rights, Init and the other members of its interface.
    Ctr_Ostrevan_Interface& control() const;

    QSize sizeHint() const override;

signals:
    // The control unloaded its container window; the widget's window closes next.
    void unloaded();

private:
    class Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace ostrevan
