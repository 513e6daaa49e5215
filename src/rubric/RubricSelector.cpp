#include "rubric/RubricSelector.h"

#include <optional>

#include "data/Code.h"
#include "rubric/RubricCode.h"
#include "screen/Messages.h"

namespace rubric {
namespace {

bool isDigit(toolkit::KeyCode key) {
    return key >= '0' && key <= '9';
}

}  // namespace

std::array<RubricSelector, 5> selectorsOf(toolkit::Surface& surface,
                                          const std::array<screen::RubricColumn, 5>& columns,
                                          toolkit::Button& okButton) {
    const auto selector = [&](std::size_t rubric) {
        return RubricSelector(surface, columns[rubric].code, columns[rubric].list,
                              rubric == 0 ? &okButton : nullptr);
    };
    return {selector(0), selector(1), selector(2), selector(3), selector(4)};
}

void RubricSelector::bind() {
    code_.onChange = [this] { Txt_Change(); };
    code_.onKeyPress = [this](toolkit::KeyCode& KeyAscii) { Txt_KeyPress(KeyAscii); };
    code_.onLostFocus = [this] { Txt_LostFocus(); };
    list_.onChange = [this] { Cbo_Change(); };
    list_.onClick = [this] { Cbo_Click(); };
    list_.onKeyPress = [this](toolkit::KeyCode& KeyAscii) { Cbo_KeyPress(KeyAscii); };
}

void RubricSelector::Txt_Change() {
    if (!data::isComplete(code_.Text())) {
        list_.SetText("");
        enableOk(false);
        return;
    }
    if (const int item = itemOfCode(); item >= 0) {
        list_.SetListIndex(item);
        enableOk(true);
        return;
    }
    messages::refuseCode(surface_, code_, "Cette rubrique n'est pas disponible.");
}

int RubricSelector::itemOfCode() const {
    // Every item's code is shown with three digits: a code of three digits names the items whose
    // item data is its number, and anything else names none.
    const std::optional<std::int32_t> wanted = rubricCode(code_.Text());
    if (!wanted) return -1;
    const int count = list_.ListCount();
    for (int item = 0; item < count; ++item) {
        if (list_.ItemData(item) == *wanted) return item;
    }
    return -1;
}

void RubricSelector::Txt_KeyPress(toolkit::KeyCode& KeyAscii) {
    if (KeyAscii == toolkit::kKeyEnter) {
        Txt_LostFocus();
    } else if (KeyAscii != toolkit::kKeyBackspace && KeyAscii != toolkit::kKeyTab &&
               !isDigit(KeyAscii)) {
        KeyAscii = toolkit::kKeyDiscarded;
    }
}

void RubricSelector::Txt_LostFocus() {
    if (!code_.Text().empty()) code_.SetText(data::completedCode(code_.Text()));
}

void RubricSelector::Cbo_Change() {
    if (list_.Text().empty()) code_.SetText("");
}

void RubricSelector::Cbo_Click() {
    const int item = list_.ListIndex();
    code_.SetText(item < 0 ? std::string() : shownCode(list_.ItemData(item)));
}

void RubricSelector::Cbo_KeyPress(toolkit::KeyCode& KeyAscii) {
    if (KeyAscii != toolkit::kKeyTab && KeyAscii != toolkit::kKeyBackspace)
        KeyAscii = toolkit::kKeyDiscarded;
}

void RubricSelector::enableOk(bool enabled) {
    if (okButton_ != nullptr) okButton_->SetEnabled(enabled);
}

}  // namespace rubric
