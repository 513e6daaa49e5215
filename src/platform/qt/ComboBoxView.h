// The view of a combo box: an editable QComboBox whose line edit mirrors the text part (see
// EditableView) and whose list shows the model's items through an ItemListModel.
//
// Choosing an item in the pop-up list, or with Up and Down, is the user's pick; the wheel picks
// nothing. Qt's own insertions, completion and choice of a current item are turned off or undone:
// the selected index, the pop-up list's selected item and the text are always the model's.
#pragma once

#include "platform/qt/EditableView.h"
#include "platform/toolkit/ComboBox.h"

class QComboBox;

namespace qtview {

class ItemListModel;

class ComboBoxView : public EditableView {
    Q_OBJECT

public:
    ComboBoxView(toolkit::ComboBox& model, QWidget& parent, UserInput& input);

    void itemsChanged(const toolkit::ItemChange& change) override;

protected:
    void showSelection() override;
    bool otherKey(const KeyCommand& command) override;
    bool leftMouse(QMouseEvent& event) override;
    bool otherEvent(QEvent& event) override;

private:
    ComboBoxView(toolkit::ComboBox& model, QComboBox& combo, UserInput& input);
    void pick(int index);
    void pickedInList(int index);

    toolkit::ComboBox& combo_;
    QComboBox& qtCombo_;
    ItemListModel* items_;
};

}  // namespace qtview
