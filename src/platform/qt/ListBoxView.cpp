#include "platform/qt/ListBoxView.h"

#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>

#include "platform/qt/ItemListModel.h"

namespace qtview {
namespace {

QListView& singleSelectionList(QWidget& parent) {
    auto* list = new QListView(&parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height are laid out without measuring each of them.
    list->setUniformItemSizes(true);
    list->verticalScrollBar()->setContextMenuPolicy(Qt::PreventContextMenu);
    list->horizontalScrollBar()->setContextMenuPolicy(Qt::PreventContextMenu);
    return *list;
}

}  // namespace

ListBoxView::ListBoxView(toolkit::ListBox& model, QWidget& parent, UserInput& input)
    : ListBoxView(model, singleSelectionList(parent), input) {}

ListBoxView::ListBoxView(toolkit::ListBox& model, QListView& list, UserInput& input)
    : WidgetView(model, list, input),
      list_(model),
      qtList_(list),
      items_(new ItemListModel(model.items(), &list)) {
    items_->setSpoken([this](int row) { return list_.spokenItem(row); });
    qtList_.setModel(items_);
    watch(*qtList_.viewport());
    // Qt moves the current row by itself as rows come and go.
    connect(items_, &ItemListModel::rowsShown, this,
            [this] { aspectChanged(toolkit::Aspect::Selection); });
}

void ListBoxView::itemsChanged(const toolkit::ItemChange& change) {
    // Qt would make the next row current by itself, and tell assistive technology that the focus
    // went there, whether the list has the focus or not.
    const bool currentRemoved =
        change.kind == toolkit::ItemChange::Removed && qtList_.currentIndex().row() == change.index;
    if (currentRemoved) qtList_.setCurrentIndex({});
    items_->itemsChanged(change);
}

void ListBoxView::showSelection() {
    items_->flush();
    QItemSelectionModel& selection = *qtList_.selectionModel();
    if (list_.ListIndex() < 0) {
        // No current row either, set through the view so that Qt makes none on its own when the
        // list takes the focus: the first row that the user selects is then a move of the current
        // row, which assistive technology reads.
        qtList_.setCurrentIndex({});
        return;
    }
    const QModelIndex row = items_->index(list_.ListIndex());
    if (selection.currentIndex() == row && selection.isSelected(row)) return;
    selection.setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    qtList_.scrollTo(row);
}

int ListBoxView::rowAt(const QMouseEvent& event) const {
    const QPoint point = qtList_.viewport()->mapFromGlobal(event.globalPosition().toPoint());
    return qtList_.indexAt(point).row();
}

void ListBoxView::select(int row) {
    if (row < 0) {
        act([&](toolkit::User& user) { user.moveFocus(list_); });
    } else {
        act([&](toolkit::User& user) { user.select(list_, row); });
    }
}

void ListBoxView::doubleClick(int row) {
    select(row);
    if (row < 0 || !list_.hasFocus()) return;
    act([&](toolkit::User& user) { user.doubleClick(list_); });
}

bool ListBoxView::leftMouse(QMouseEvent& event) {
    if (event.type() == QEvent::MouseButtonPress) {
        select(rowAt(event));
    } else if (event.type() == QEvent::MouseButtonDblClick) {
        doubleClick(rowAt(event));
    }
    return event.type() != QEvent::MouseMove || (event.buttons() & Qt::LeftButton);
}

bool ListBoxView::otherKey(const KeyCommand& command) {
    const int current = list_.ListIndex();
    if (command.kind == KeyCommand::Previous && current > 0) select(current - 1);
    if (command.kind == KeyCommand::Next && current + 1 < list_.ListCount()) select(current + 1);
    return true;
}

}  // namespace qtview
