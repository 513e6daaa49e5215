// Message boxes as Qt dialogs: the host's toolkit::MessageService for a real window.
//
// Each request shows a modal QMessageBox with the request's title, text (as typed: plain text,
// never markup) and icon (Exclamation as a warning, Question as a question) and its buttons,
// captioned in French: "OK"; "Oui", "Non"; "Oui", "Non", "Annuler". The default button is the
// request's, counted from 0 in that order.
// Closing the box (Escape, the window's close button) answers Cancel when the box has it and OK
// for an OK box; a Yes/No box cannot be closed so and waits for Yes or No. The answer is always
// one of the box's own buttons.
#pragma once

#include "platform/toolkit/MessageBox.h"

class QWidget;

namespace qtview {

class MessageBoxService : public toolkit::MessageService {
public:
    // The boxes are modal to the parent's window (to the application when it is nullptr).
    explicit MessageBoxService(QWidget* parent) : parent_(parent) {}

    toolkit::MsgAnswer ask(const toolkit::MessageRequest& request) override;

private:
    QWidget* parent_;
};

}  // namespace qtview
