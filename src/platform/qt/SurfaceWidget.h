// The Qt views of a control's surface: the widget that a host puts in its window to show a
// toolkit::Surface and let a person use it.
//
// The surface widget creates one view for every widget of the surface (see WidgetView), when it
// is created: the surface's widgets must all exist by then, and the surface must outlive it. The
// views of the widgets inside a frame go inside the frame's view; geometry comes in twips from the
// models, relative to the container, and shows at the screen's logical dpi (see Twips.h). The
// surface widget's own size is the surface's design size.
//
// Promises:
// - The models drive everything shown; the user's input reaches the models only as the user's
//   actions of one toolkit::User, and an action's errors never reach Qt's event loop (see
//   UserInput).
// - Focus: Qt's focus follows the model's focus, on the focused widget's view, or on the surface
//   widget itself when no widget has it at the end of a user's action. Tab and Shift+Tab move the
//   model's focus; the menu key and Shift+F10 open the surface's context menu. Shown in a window,
//   the surface gives the focus to its first widget (toolkit::Surface::settleFocus). A widget that
//   loses the focus by becoming unusable keeps Qt's until the action's end, where the model passes
//   it on: Qt tells assistive technology of one move of the focus, to where it goes.
// - A right click on the surface's own area is the user's right click there, at the position in
//   twips; on a child view, it is the child's only.
// - A menu the program pops up shows at the pointer without blocking (see MenuPopup).
// Never: knows the widgets it shows by name, or any rule of the program behind the models.
//
// The host may delete the surface widget only from the event loop (deleteLater()), never from a
// handler that a user's action runs.
#pragma once

#include <QWidget>
#include <exception>
#include <functional>
#include <memory>

#include "platform/toolkit/Surface.h"
#include "platform/toolkit/View.h"

namespace qtview {

class SurfaceWidget : public QWidget, public toolkit::SurfaceView {
    Q_OBJECT

public:
    explicit SurfaceWidget(toolkit::Surface& surface, QWidget* parent = nullptr);
    ~SurfaceWidget() override;

    // The Qt widget that shows a widget model of the surface; nullptr for a model it does not show.
    QWidget* widgetFor(const toolkit::Widget& model) const;
    // Where the errors of the user's actions go (a refused action, or a handler's error when the
    // surface has no error handler of its own); by default, a warning on the console.
    void setErrorHandler(std::function<void(const std::exception&)> handler);

    QSize sizeHint() const override;

    void focusMoved(toolkit::Widget* focused) override;
    void menuShown(toolkit::MenuEntry& menu) override;

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> impl_;
};

}  // namespace qtview
