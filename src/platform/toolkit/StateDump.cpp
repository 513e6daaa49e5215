#include "platform/toolkit/StateDump.h"

#include <algorithm>
#include <vector>

#include "platform/toolkit/Captioned.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/Surface.h"

namespace toolkit {
namespace {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string boolean(bool value) {
    return value ? "True" : "False";
}

void dumpItems(std::string& out, const ItemList& items) {
    for (int i = 0; i < items.count(); ++i) {
        out += "  [" + std::to_string(i) + "] data=" + std::to_string(items.data(i)) + " " +
               quoted(items.text(i)) + "\n";
    }
}

template <class T>
void dumpSelection(std::string& out, const T& widget) {
    out += " listindex=" + std::to_string(widget.ListIndex()) +
           " count=" + std::to_string(widget.ListCount());
}

void dumpControl(std::string& out, const Control& control) {
    out += control.Name();
    if (control.Index() >= 0) out += "(" + std::to_string(control.Index()) + ")";
    out += " " + std::string(kindName(control.kind())) + " enabled=" + boolean(control.Enabled()) +
           " visible=" + boolean(control.Visible());
    if (auto* captioned = dynamic_cast<const Captioned*>(&control)) {
        out += " caption=" + quoted(captioned->Caption());
    }
    if (dynamic_cast<const EditableWidget*>(&control) != nullptr) {
        out += " text=" + quoted(control.Text());
    }
    const auto* combo = dynamic_cast<const ComboBox*>(&control);
    const auto* list = dynamic_cast<const ListBox*>(&control);
    if (combo != nullptr) dumpSelection(out, *combo);
    if (list != nullptr) dumpSelection(out, *list);
    out += "\n";
    if (combo != nullptr) dumpItems(out, combo->items());
    if (list != nullptr) dumpItems(out, list->items());
}

}  // namespace

std::string dumpState(const Surface& surface) {
    std::vector<const Widget*> widgets;
    std::vector<const Control*> others;
    for (const Control* control : surface.Controls()) {
        if (auto* widget = dynamic_cast<const Widget*>(control)) {
            widgets.push_back(widget);
        } else {
            others.push_back(control);
        }
    }
    std::stable_sort(widgets.begin(), widgets.end(), [](const Widget* a, const Widget* b) {
        return a->tabIndex() < b->tabIndex();
    });
    std::string out;
    for (const Widget* widget : widgets)
        dumpControl(out, *widget);
    for (const Control* other : others)
        dumpControl(out, *other);
    return out;
}

}  // namespace toolkit
