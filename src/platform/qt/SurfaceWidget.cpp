#include "platform/qt/SurfaceWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <unordered_map>
#include <vector>

#include "platform/qt/AccessibleViews.h"
#include "platform/qt/Appearance.h"
#include "platform/qt/KeyCommand.h"
#include "platform/qt/MenuPopup.h"
#include "platform/qt/Twips.h"
#include "platform/qt/UserInput.h"
#include "platform/qt/ViewFactory.h"
#include "platform/toolkit/Frame.h"

namespace qtview {

struct SurfaceWidget::Private {
    Private(SurfaceWidget& owner, toolkit::Surface& surface)
        : owner(owner), surface(surface), input(surface, [this] { showFocus(); }) {}

    void makeViews();
    QWidget& parentFor(const toolkit::Widget& model);
    WidgetView* viewOf(const toolkit::Widget* model) const;
    void showFocus();
    // Shows again whether the widgets that Qt's focus was in are enabled and visible.
    void showUsabilityAround(const QWidget* formerFocus);

    SurfaceWidget& owner;
    toolkit::Surface& surface;
    UserInput input;
    std::vector<std::unique_ptr<WidgetView>> views;
    std::unordered_map<const toolkit::Widget*, WidgetView*> byModel;
    QPointer<MenuPopup> popup;
};

// A frame comes before the widgets inside it in the surface's collection, since they are made
// with it: its view is there when theirs are made.
QWidget& SurfaceWidget::Private::parentFor(const toolkit::Widget& model) {
    WidgetView* container = viewOf(model.container());
    QWidget* area = container != nullptr ? container->childArea() : nullptr;
    return area != nullptr ? *area : owner;
}

void SurfaceWidget::Private::makeViews() {
    for (toolkit::Control* control : surface.Controls()) {
        auto* model = dynamic_cast<toolkit::Widget*>(control);
        if (model == nullptr) continue;
        std::unique_ptr<WidgetView> view = makeView(*model, parentFor(*model), input);
        if (view == nullptr) continue;
        byModel.emplace(model, view.get());
        views.push_back(std::move(view));
    }
}

WidgetView* SurfaceWidget::Private::viewOf(const toolkit::Widget* model) const {
    const auto found = byModel.find(model);
    return found == byModel.end() ? nullptr : found->second;
}

void SurfaceWidget::Private::showFocus() {
    QPointer<QWidget> formerFocus = owner.window()->focusWidget();
    if (WidgetView* view = viewOf(surface.ActiveControl())) {
        view->takeFocus();
    } else {
        owner.setFocus(Qt::OtherFocusReason);
    }
    if (formerFocus != owner.window()->focusWidget()) showUsabilityAround(formerFocus);
}

void SurfaceWidget::Private::showUsabilityAround(const QWidget* formerFocus) {
    for (const std::unique_ptr<WidgetView>& view : views) {
        const QWidget& widget = view->widget();
        if (formerFocus == &widget || widget.isAncestorOf(formerFocus))
            view->aspectChanged(toolkit::Aspect::Enabled);
    }
}

SurfaceWidget::SurfaceWidget(toolkit::Surface& surface, QWidget* parent)
    : QWidget(parent), impl_(std::make_unique<Private>(*this, surface)) {
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFont(defaultFont());
    resize(sizeHint());
    describeContainer(*this);
    impl_->makeViews();
    surface.setView(this);
    surface.settleFocus();
    impl_->showFocus();
}

SurfaceWidget::~SurfaceWidget() {
    impl_->surface.setView(nullptr);
    if (impl_->popup) impl_->popup->supersede();
    impl_->views.clear();
}

QWidget* SurfaceWidget::widgetFor(const toolkit::Widget& model) const {
    WidgetView* view = impl_->viewOf(&model);
    return view != nullptr ? &view->widget() : nullptr;
}

void SurfaceWidget::setErrorHandler(std::function<void(const std::exception&)> handler) {
    impl_->input.setErrorHandler(std::move(handler));
}

QSize SurfaceWidget::sizeHint() const {
    const toolkit::Rect design{0, 0, impl_->surface.width(), impl_->surface.height()};
    return pixelRect(design, logicalDpiX(), logicalDpiY()).size();
}

void SurfaceWidget::focusMoved(toolkit::Widget* focused) {
    // Within a user's action the focus lost waits for the action's end, where it passes on.
    if (focused != nullptr || !impl_->input.performing()) impl_->showFocus();
}

void SurfaceWidget::menuShown(toolkit::MenuEntry& menu) {
    if (impl_->popup) impl_->popup->supersede();
    impl_->popup = new MenuPopup(menu, impl_->input, *this);
    impl_->popup->popup(QCursor::pos());
}

bool SurfaceWidget::event(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::event(event);
    const KeyCommand command = keyCommand(static_cast<QKeyEvent&>(*event));
    switch (command.kind) {
        case KeyCommand::Tab:
        case KeyCommand::Backtab:
        case KeyCommand::Menu:
            impl_->input.perform([&](toolkit::User& user) { navigate(user, command); });
            return true;
        default:
            return QWidget::event(event);
    }
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const float x = pixelsToTwips(event->position().x(), logicalDpiX());
    const float y = pixelsToTwips(event->position().y(), logicalDpiY());
    impl_->input.perform([&](toolkit::User& user) { user.rightClick(x, y); });
}

}  // namespace qtview
