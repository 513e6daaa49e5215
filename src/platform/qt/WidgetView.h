// The Qt views of the widget models: each view binds one toolkit::Widget to one Qt widget, shows
// the model's state and turns the user's input on the Qt widget into the model's user actions.
//
// Promises:
// - The model drives: what the Qt widget shows (text, caption, items, selection, enabled,
//   visible, geometry, font) comes from the model. Each notification names the aspect that changed
//   and the view shows that aspect only; the whole state is shown when the view is bound and where
//   Qt may have changed the widget by itself. Showing the model never calls back into it: what Qt
//   reports while the view is showing is ignored.
// - The user's keys and clicks go to the model through UserInput (toolkit::User) before Qt acts
//   on them, and Qt edits no text by itself. Qt never moves the focus by itself either: the view
//   takes Qt's focus only when the model gives it the focus. A view of a kind that takes the focus
//   has Qt::TabFocus, so that assistive technology reads it as focusable, yet Tab never reaches
//   Qt; the other views and the parts of a view have Qt::NoFocus, so that no click gives Qt's
//   focus. A widget that Qt's focus is in stays enabled and shown in Qt, whatever its model, until
//   the focus has moved where the model puts it (see SurfaceWidget): Qt would pass its focus on
//   by itself, to a widget of its own choosing.
// - A right click on a view goes to its model, never to the surface behind it, and no Qt context
//   menu ever shows. A widget the user cannot act on lets mouse input through to its container,
//   as a disabled widget does.
// Never: knows which widget it shows, or any rule of the program behind the models.
#pragma once

#include <QObject>

#include "platform/qt/KeyCommand.h"
#include "platform/qt/UserInput.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/View.h"

class QMouseEvent;
class QWidget;

namespace qtview {

class WidgetView : public QObject, public toolkit::ControlView {
    Q_OBJECT

public:
    ~WidgetView() override;

    toolkit::Widget& model() const { return model_; }
    QWidget& widget() const { return widget_; }
    // Where the views of the widgets inside this one are placed; nullptr but for a frame.
    virtual QWidget* childArea() { return nullptr; }

    // Places the Qt widget, binds the view to the model and shows it; once, after construction.
    void bind();
    // Shows the whole state of the model.
    void showAll();
    // Gives Qt's focus to the view, as the model gave the focus to its widget.
    void takeFocus();

    // Shows the aspect named, and only it.
    void aspectChanged(toolkit::Aspect aspect) final;

protected:
    WidgetView(toolkit::Widget& model, QWidget& widget, UserInput& input);

    // Watches a part of the Qt widget for the user's keys and mouse.
    void watch(QWidget& part);
    // Forwards one action of the user; the model's notifications show what it changed.
    void act(const UserInput::Action& action);
    // Whether the view is showing the model now: whatever Qt reports meanwhile is no user's.
    bool showing() const { return showing_ > 0; }

    // The aspects that only some kinds have; each shows nothing by default. The focus changes
    // what a text's selection shows.
    virtual void showCaption() {}
    virtual void showSelection() {}
    virtual void showText() {}
    virtual void showTextSelection() {}
    // The keys that not every kind treats alike (Delete, Paste, Previous, Next, Caret, Swallow);
    // answers whether the key is consumed. By default, swallowed.
    virtual bool otherKey(const KeyCommand& command);
    // Left-button events, and moves without a button; answers whether the event is consumed.
    // By default a press moves the focus to a widget that takes it, and Qt handles the rest.
    virtual bool leftMouse(QMouseEvent& event);
    // Any other event on a watched part; answers whether it is consumed. By default, none.
    virtual bool otherEvent(QEvent& event);

    bool eventFilter(QObject* watched, QEvent* event) override;

    bool keyPressed(const KeyCommand& command);

private:
    // Shows whether the model is enabled and visible (the aspects Enabled and Visible alike); kept
    // for later while Qt's focus is in the widget and the model is not both.
    void showUsability();
    bool mouseEvent(QMouseEvent& event);
    QString objectName() const;

    toolkit::Widget& model_;
    QWidget& widget_;
    UserInput& input_;
    int showing_ = 0;
};

}  // namespace qtview
