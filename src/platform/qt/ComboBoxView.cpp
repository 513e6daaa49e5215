#include "platform/qt/ComboBoxView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

#include "platform/qt/ItemListModel.h"

namespace qtview {
namespace {

QComboBox& editableCombo(QWidget& parent) {
    auto* combo = new QComboBox(&parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    // Sizing to the contents would measure every item; the model gives the size.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return *combo;
}

}  // namespace

ComboBoxView::ComboBoxView(toolkit::ComboBox& model, QWidget& parent, UserInput& input)
    : ComboBoxView(model, editableCombo(parent), input) {}

ComboBoxView::ComboBoxView(toolkit::ComboBox& model, QComboBox& combo, UserInput& input)
    : EditableView(model, combo, *combo.lineEdit(), input),
      combo_(model),
      qtCombo_(combo),
      items_(new ItemListModel(model.items(), &combo)) {
    qtCombo_.setModel(items_);
    // Qt moves the current item by itself as rows come and go, and writes the line edit.
    connect(items_, &ItemListModel::rowsShown, this,
            [this] { aspectChanged(toolkit::Aspect::Selection); });
    connect(&qtCombo_, &QComboBox::activated, this, &ComboBoxView::pickedInList);
}

void ComboBoxView::itemsChanged(const toolkit::ItemChange& change) {
    items_->itemsChanged(change);
}

void ComboBoxView::showSelection() {
    items_->flush();
    // The current index first: Qt writes the item's text into the line edit (and empties it when
    // the rows are reset), and the model's text part, which may differ, is shown after it.
    if (qtCombo_.currentIndex() != combo_.ListIndex()) qtCombo_.setCurrentIndex(combo_.ListIndex());
    // The pop-up list's selected item too, which Qt sets only as the list opens: assistive
    // technology reads it as the combo box's selection. Its current item stays Qt's, since moving
    // it would be told as a move of the focus.
    qtCombo_.view()->selectionModel()->select(items_->index(combo_.ListIndex()),
                                              QItemSelectionModel::ClearAndSelect);
    showText();
}

void ComboBoxView::pick(int index) {
    if (showing() || index < 0 || index >= combo_.ListCount()) return;
    act([&](toolkit::User& user) { user.pick(combo_, index); });
}

void ComboBoxView::pickedInList(int index) {
    pick(index);
    showAll();  // Qt has already shown the item picked: the model's choice may differ
}

bool ComboBoxView::otherKey(const KeyCommand& command) {
    const int current = combo_.ListIndex();
    switch (command.kind) {
        case KeyCommand::Previous:
            if (current > 0) pick(current - 1);
            return true;
        case KeyCommand::Next:
            if (current + 1 < combo_.ListCount()) pick(current + 1);
            return true;
        default:
            return EditableView::otherKey(command);
    }
}

bool ComboBoxView::leftMouse(QMouseEvent& event) {
    items_->flush();  // the pop-up may open now: with every item
    return EditableView::leftMouse(event);
}

bool ComboBoxView::otherEvent(QEvent& event) {
    return event.type() == QEvent::Wheel || EditableView::otherEvent(event);
}

}  // namespace qtview
