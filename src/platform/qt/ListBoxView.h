// The view of a list box: a QListView over the model's items (an ItemListModel), drawn in the
// model's font, one row selected at most, the model's.
//
// A click on a row is the user's selection of it, a double click on a row selects it and then
// double-clicks it, a click below the rows only moves the focus; Up and Down select the previous
// and next rows; Enter goes to the model, which opens the selected row. Qt's own selection by
// mouse, drag or keyboard never happens. A row reads aloud as the model's spokenItem; a list
// without a selected row has no current row either, so that the first row selected is read.
#pragma once

#include "platform/qt/WidgetView.h"
#include "platform/toolkit/ListBox.h"

class QListView;

namespace qtview {

class ItemListModel;

class ListBoxView : public WidgetView {
    Q_OBJECT

public:
    ListBoxView(toolkit::ListBox& model, QWidget& parent, UserInput& input);

    void itemsChanged(const toolkit::ItemChange& change) override;

protected:
    void showSelection() override;
    bool otherKey(const KeyCommand& command) override;
    bool leftMouse(QMouseEvent& event) override;

private:
    ListBoxView(toolkit::ListBox& model, QListView& list, UserInput& input);
    int rowAt(const QMouseEvent& event) const;
    void select(int row);
    void doubleClick(int row);

    toolkit::ListBox& list_;
    QListView& qtList_;
    ItemListModel* items_;
};

}  // namespace qtview
