#include "platform/qt/ViewFactory.h"

#include "platform/qt/ButtonView.h"
#include "platform/qt/ComboBoxView.h"
#include "platform/qt/FrameView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/ListBoxView.h"
#include "platform/qt/TextBoxView.h"

namespace qtview {
namespace {

template <class View, class Model>
std::unique_ptr<WidgetView> bound(toolkit::Widget& model, QWidget& parent, UserInput& input) {
    auto view = std::make_unique<View>(static_cast<Model&>(model), parent, input);
    view->bind();
    return view;
}

}  // namespace

std::unique_ptr<WidgetView> makeView(toolkit::Widget& model, QWidget& parent, UserInput& input) {
    switch (model.kind()) {
        case toolkit::ControlKind::Label:
            return bound<LabelView, toolkit::Label>(model, parent, input);
        case toolkit::ControlKind::TextBox:
            return bound<TextBoxView, toolkit::TextBox>(model, parent, input);
        case toolkit::ControlKind::ComboBox:
            return bound<ComboBoxView, toolkit::ComboBox>(model, parent, input);
        case toolkit::ControlKind::ListBox:
            return bound<ListBoxView, toolkit::ListBox>(model, parent, input);
        case toolkit::ControlKind::Button:
            return bound<ButtonView, toolkit::Button>(model, parent, input);
        case toolkit::ControlKind::Frame:
            return bound<FrameView, toolkit::Frame>(model, parent, input);
        case toolkit::ControlKind::MenuEntry:
            break;
    }
    return nullptr;
}

}  // namespace qtview
