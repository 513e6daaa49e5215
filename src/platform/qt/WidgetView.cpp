#include "platform/qt/WidgetView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/qt/AccessibleViews.h"
#include "platform/qt/Appearance.h"
#include "platform/qt/TextConversion.h"
#include "platform/qt/Twips.h"

namespace qtview {
namespace {

toolkit::KeyCode keyCode(QChar unit) {
    return static_cast<toolkit::KeyCode>(unit.unicode());
}

bool isPress(const QMouseEvent& event) {
    return event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
}

}  // namespace

WidgetView::WidgetView(toolkit::Widget& model, QWidget& widget, UserInput& input)
    : model_(model), widget_(widget), input_(input) {}

WidgetView::~WidgetView() {
    model_.setView(nullptr);
}

QString WidgetView::objectName() const {
    const QString name = toQString(model_.Name());
    return model_.Index() < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(model_.Index());
}

void WidgetView::bind() {
    widget_.setObjectName(objectName());
    widget_.setGeometry(pixelRect(model_.geometry(), widget_.logicalDpiX(), widget_.logicalDpiY()));
    applyFont(widget_, model_.font());
    watch(widget_);
    if (model_.takesFocus()) widget_.setFocusPolicy(Qt::TabFocus);
    model_.setView(this);
    showAll();
}

void WidgetView::watch(QWidget& part) {
    part.setFocusPolicy(Qt::NoFocus);
    part.setContextMenuPolicy(Qt::PreventContextMenu);
    part.installEventFilter(this);
}

void WidgetView::showAll() {
    // A combo box's selection before its text, since Qt writes the item's text; the text with
    // its selection and the focus that hides it.
    for (const toolkit::Aspect aspect :
         {toolkit::Aspect::Enabled, toolkit::Aspect::Visible, toolkit::Aspect::Accessibility,
          toolkit::Aspect::Caption, toolkit::Aspect::Selection, toolkit::Aspect::Text}) {
        aspectChanged(aspect);
    }
}

void WidgetView::aspectChanged(toolkit::Aspect aspect) {
    ++showing_;
    switch (aspect) {
        case toolkit::Aspect::Enabled:
        case toolkit::Aspect::Visible:
            showUsability();
            break;
        case toolkit::Aspect::Accessibility:
            describe(widget_, model_.accessibility());
            break;
        case toolkit::Aspect::Caption:
            showCaption();
            break;
        case toolkit::Aspect::Selection:
            showSelection();
            break;
        case toolkit::Aspect::Text:
            showText();
            break;
        case toolkit::Aspect::TextSelection:
        case toolkit::Aspect::Focus:
            showTextSelection();
            break;
    }
    --showing_;
}

void WidgetView::takeFocus() {
    widget_.setFocus(Qt::OtherFocusReason);
}

void WidgetView::showUsability() {
    const QWidget* focus = widget_.window()->focusWidget();
    const bool holdsFocus = focus == &widget_ || widget_.isAncestorOf(focus);
    if (holdsFocus && !(model_.Enabled() && model_.Visible())) return;
    widget_.setEnabled(model_.Enabled());
    if (widget_.isHidden() == model_.Visible()) widget_.setVisible(model_.Visible());
}

void WidgetView::act(const UserInput::Action& action) {
    input_.perform(action);
}

bool WidgetView::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(keyCommand(static_cast<QKeyEvent&>(*event)));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return mouseEvent(static_cast<QMouseEvent&>(*event));
        case QEvent::ContextMenu:
            return true;
        default:
            return otherEvent(*event);
    }
}

bool WidgetView::keyPressed(const KeyCommand& command) {
    switch (command.kind) {
        case KeyCommand::Type:
            for (const QChar unit : command.typed) {
                act([&](toolkit::User& user) { user.typeKey(model_, keyCode(unit)); });
                if (!model_.hasFocus()) break;  // a handler sent the focus away: so go the rest
            }
            return true;
        case KeyCommand::Tab:
        case KeyCommand::Backtab:
        case KeyCommand::Menu:
            act([&](toolkit::User& user) { navigate(user, command); });
            return true;
        case KeyCommand::Pass:
            return false;
        default:
            return otherKey(command);
    }
}

bool WidgetView::otherKey(const KeyCommand&) {
    return true;
}

bool WidgetView::mouseEvent(QMouseEvent& event) {
    if (!model_.isUsable()) return false;
    const Qt::MouseButton button =
        event.type() == QEvent::MouseMove ? Qt::NoButton : event.button();
    if (button == Qt::RightButton) {
        if (isPress(event)) act([&](toolkit::User& user) { user.rightClick(model_); });
        return true;
    }
    if (button == Qt::MiddleButton) return true;
    return leftMouse(event);
}

bool WidgetView::leftMouse(QMouseEvent& event) {
    if (!isPress(event)) return false;
    if (!model_.takesFocus()) return true;
    act([&](toolkit::User& user) { user.moveFocus(model_); });
    // A LostFocus handler that keeps the focus elsewhere takes the click over.
    return !model_.hasFocus();
}

bool WidgetView::otherEvent(QEvent&) {
    return false;
}

}  // namespace qtview
