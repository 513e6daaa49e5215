// One rubric selector of the line editor: a code box of three digits and, beside it, the list of
// the rubrics by label (RubricLists.h). The five selectors (weekday, Sunday, worked public
// holidays, non-worked public holidays, May Day) are five instances of this one family; only the
// weekday one enables and disables the line's "OK".
//
// The two widgets are kept in step by their events alone, with no state of the selector's own:
// - a complete code typed or written in the box selects the first item of that code; a code that
//   no item has is refused with "Cette rubrique n'est pas disponible.", and the box is emptied and
//   keeps the focus; an incomplete one empties the list's text;
// - an item picked writes its code into the box; the list's text emptied (Backspace, or no item
//   selected) empties the box;
// - the box takes only digits (Enter and leaving it complete a short code with "0"); the list's
//   text can only be shortened with Backspace.
// Each chain ends because a widget written with the value it holds raises nothing.
//
// The lookup scans the list's items in order, at every change that leaves three characters in the
// box: no index of the codes is kept, so that the list may change at any time.
#pragma once

#include <array>

#include "platform/toolkit/Button.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/Keys.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"
#include "screen/Screen.h"

namespace rubric {

class RubricSelector {
public:
    // okButton: the line's "OK", for the weekday selector; nullptr for the four others.
    RubricSelector(toolkit::Surface& surface, toolkit::TextBox& code, toolkit::ComboBox& list,
                   toolkit::Button* okButton)
        : surface_(surface), code_(code), list_(list), okButton_(okButton) {}

    // Binds the events of the column's two widgets to the handlers below; once, where the
    // selector stays for the life of the screen.
    void bind();

    // The handlers of the code box's events; on each column's selector, they are the screen's
    //   Txt_RubNorm_Change, Txt_RubDim_Change, Txt_RubJF_Change, Txt_RubJFNonTrav_Change,
    //   Txt_Rub1Mai_Change;
    //   Txt_RubNorm_KeyPress, Txt_RubDim_KeyPress, Txt_RubJF_KeyPress, Txt_RubJFNonTrav_KeyPress,
    //   Txt_Rub1Mai_KeyPress;
    //   Txt_RubNorm_LostFocus, Txt_RubDim_LostFocus, Txt_RubJF_LostFocus,
    //   Txt_RubJFNonTrav_LostFocus, Txt_Rub1Mai_LostFocus.
    void Txt_Change();
    void Txt_KeyPress(toolkit::KeyCode& KeyAscii);
    void Txt_LostFocus();
    // The handlers of the list's events; on each column's selector, they are the screen's
    //   Cbo_RubNorm_Change, Cbo_RubDim_Change, Cbo_RubJF_Change, Cbo_RubJFNonTrav_Change,
    //   Cbo_Rub1Mai_Change;
    //   Cbo_RubNorm_Click, Cbo_RubDim_Click, Cbo_RubJF_Click, Cbo_RubJFNonTrav_Click,
    //   Cbo_Rub1Mai_Click;
    //   Cbo_RubNorm_KeyPress, Cbo_RubDim_KeyPress, Cbo_RubJF_KeyPress, Cbo_RubJFNonTrav_KeyPress,
    //   Cbo_Rub1Mai_KeyPress.
    void Cbo_Change();
    void Cbo_Click();
    void Cbo_KeyPress(toolkit::KeyCode& KeyAscii);

private:
    // The first item of the list whose code is the box's complete code; -1 when none has it.
    int itemOfCode() const;
    void enableOk(bool enabled);

    toolkit::Surface& surface_;
    toolkit::TextBox& code_;
    toolkit::ComboBox& list_;
    toolkit::Button* okButton_;
};

// The selectors of the screen's five rubric columns, in the rubric order; the first, the weekday
// one, drives okButton.
std::array<RubricSelector, 5> selectorsOf(toolkit::Surface& surface,
                                          const std::array<screen::RubricColumn, 5>& columns,
                                          toolkit::Button& okButton);

}  // namespace rubric
