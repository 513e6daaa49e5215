#include "platform/qt/MessageBoxService.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <optional>
#include <vector>

#include "platform/qt/TextConversion.h"

namespace qtview {
namespace {

struct Choice {
    toolkit::MsgAnswer answer;
    const char* caption;
    QMessageBox::ButtonRole role;
};

std::vector<Choice> choicesOf(toolkit::MsgButtons buttons) {
    using toolkit::MsgAnswer;
    const Choice ok{MsgAnswer::Ok, "OK", QMessageBox::AcceptRole};
    const Choice yes{MsgAnswer::Yes, "Oui", QMessageBox::YesRole};
    const Choice no{MsgAnswer::No, "Non", QMessageBox::NoRole};
    const Choice cancel{MsgAnswer::Cancel, "Annuler", QMessageBox::RejectRole};
    switch (buttons) {
        case toolkit::MsgButtons::Ok:
            return {ok};
        case toolkit::MsgButtons::YesNo:
            return {yes, no};
        case toolkit::MsgButtons::YesNoCancel:
            return {yes, no, cancel};
    }
    return {ok};
}

QMessageBox::Icon iconOf(toolkit::MsgIcon icon) {
    switch (icon) {
        case toolkit::MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case toolkit::MsgIcon::Question:
            return QMessageBox::Question;
        case toolkit::MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Keeps a box without a closing answer open: Qt would take its No button for Escape and for the
// window's close button.
class Unclosable : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel);
    }
};

// The choice that closing the box answers: Cancel when the box has it, OK for an OK box; none
// for a Yes/No box.
std::optional<std::size_t> closingChoice(const std::vector<Choice>& choices) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const toolkit::MsgAnswer answer = choices[i].answer;
        if (answer == toolkit::MsgAnswer::Cancel || answer == toolkit::MsgAnswer::Ok) return i;
    }
    return std::nullopt;
}

std::size_t defaultChoice(const toolkit::MessageRequest& request, std::size_t count) {
    const bool valid =
        request.defaultButton >= 0 && static_cast<std::size_t>(request.defaultButton) < count;
    return valid ? static_cast<std::size_t>(request.defaultButton) : 0;
}

}  // namespace

toolkit::MsgAnswer MessageBoxService::ask(const toolkit::MessageRequest& request) {
    QMessageBox box(iconOf(request.icon), toQString(request.title), toQString(request.text),
                    QMessageBox::NoButton, parent_);
    // The text often quotes the database (labels, values, the store's own reasons): it is shown
    // as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    const std::vector<Choice> choices = choicesOf(request.buttons);
    std::vector<QPushButton*> buttons;
    for (const Choice& choice : choices)
        buttons.push_back(box.addButton(QString::fromUtf8(choice.caption), choice.role));
    const std::size_t byDefault = defaultChoice(request, choices.size());
    box.setDefaultButton(buttons[byDefault]);
    const std::optional<std::size_t> closing = closingChoice(choices);
    Unclosable unclosable;
    if (closing) {
        box.setEscapeButton(buttons[*closing]);
    } else {
        box.installEventFilter(&unclosable);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) return choices[i].answer;
    }
    return choices[closing.value_or(byDefault)].answer;
}

}  // namespace qtview
