// The five rubric selectors' widgets bound to their handlers.
#include "control/Ctr_Ostrevan.h"

void Ctr_Ostrevan::bindRubricSelectors() {
    Txt_RubNorm.onChange = [this] { Txt_RubNorm_Change(); };
    Txt_RubNorm.onKeyPress = [this](KeyCode& KeyAscii) { Txt_RubNorm_KeyPress(KeyAscii); };
    Txt_RubNorm.onLostFocus = [this] { Txt_RubNorm_LostFocus(); };
    Cbo_RubNorm.onChange = [this] { Cbo_RubNorm_Change(); };
    Cbo_RubNorm.onClick = [this] { Cbo_RubNorm_Click(); };
    Cbo_RubNorm.onKeyPress = [this](KeyCode& KeyAscii) { Cbo_RubNorm_KeyPress(KeyAscii); };
    Txt_RubDim.onChange = [this] { Txt_RubDim_Change(); };
    Txt_RubDim.onKeyPress = [this](KeyCode& KeyAscii) { Txt_RubDim_KeyPress(KeyAscii); };
    Txt_RubDim.onLostFocus = [this] { Txt_RubDim_LostFocus(); };
    Cbo_RubDim.onChange = [this] { Cbo_RubDim_Change(); };
    Cbo_RubDim.onClick = [this] { Cbo_RubDim_Click(); };
    Cbo_RubDim.onKeyPress = [this](KeyCode& KeyAscii) { Cbo_RubDim_KeyPress(KeyAscii); };
    Txt_RubJF.onChange = [this] { Txt_RubJF_Change(); };
    Txt_RubJF.onKeyPress = [this](KeyCode& KeyAscii) { Txt_RubJF_KeyPress(KeyAscii); };
    Txt_RubJF.onLostFocus = [this] { Txt_RubJF_LostFocus(); };
    Cbo_RubJF.onChange = [this] { Cbo_RubJF_Change(); };
    Cbo_RubJF.onClick = [this] { Cbo_RubJF_Click(); };
    Cbo_RubJF.onKeyPress = [this](KeyCode& KeyAscii) { Cbo_RubJF_KeyPress(KeyAscii); };
    Txt_RubJFNonTrav.onChange = [this] { Txt_RubJFNonTrav_Change(); };
    Txt_RubJFNonTrav.onKeyPress = [this](KeyCode& KeyAscii) {
        Txt_RubJFNonTrav_KeyPress(KeyAscii);
    };
    Txt_RubJFNonTrav.onLostFocus = [this] { Txt_RubJFNonTrav_LostFocus(); };
    Cbo_RubJFNonTrav.onChange = [this] { Cbo_RubJFNonTrav_Change(); };
    Cbo_RubJFNonTrav.onClick = [this] { Cbo_RubJFNonTrav_Click(); };
    Cbo_RubJFNonTrav.onKeyPress = [this](KeyCode& KeyAscii) {
        Cbo_RubJFNonTrav_KeyPress(KeyAscii);
    };
    Txt_Rub1Mai.onChange = [this] { Txt_Rub1Mai_Change(); };
    Txt_Rub1Mai.onKeyPress = [this](KeyCode& KeyAscii) { Txt_Rub1Mai_KeyPress(KeyAscii); };
    Txt_Rub1Mai.onLostFocus = [this] { Txt_Rub1Mai_LostFocus(); };
    Cbo_Rub1Mai.onChange = [this] { Cbo_Rub1Mai_Change(); };
    Cbo_Rub1Mai.onClick = [this] { Cbo_Rub1Mai_Click(); };
    Cbo_Rub1Mai.onKeyPress = [this](KeyCode& KeyAscii) { Cbo_Rub1Mai_KeyPress(KeyAscii); };
}
