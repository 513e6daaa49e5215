#include "platform/qt/ItemListModel.h"

#include "platform/qt/TextConversion.h"

namespace qtview {

ItemListModel::ItemListModel(const toolkit::ItemList& items, QObject* parent)
    : QAbstractListModel(parent), items_(items), shown_(items.count()) {}

int ItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    const bool spoken = role == Qt::AccessibleTextRole && spoken_;
    if (role != Qt::DisplayRole && role != Qt::EditRole && !spoken) return {};
    if (!index.isValid() || row >= items_.count()) return {};
    return toQString(spoken ? spoken_(row) : items_.text(row));
}

void ItemListModel::itemsChanged(const toolkit::ItemChange& change) {
    switch (change.kind) {
        case toolkit::ItemChange::Appended:
            queueFlush();
            return;
        case toolkit::ItemChange::Replaced:
            flush();
            emit dataChanged(index(change.index), index(change.index));
            return;
        case toolkit::ItemChange::Removed:
            removeRow(change.index);
            return;
        case toolkit::ItemChange::Cleared:
            reset();
            return;
    }
}

void ItemListModel::flush() {
    flushQueued_ = false;
    if (shown_ >= items_.count()) return;
    beginInsertRows({}, shown_, items_.count() - 1);
    shown_ = items_.count();
    endInsertRows();
    emit rowsShown();
}

void ItemListModel::queueFlush() {
    if (flushQueued_) return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (flushQueued_) flush();
        },
        Qt::QueuedConnection);
}

void ItemListModel::removeRow(int row) {
    // Rows appended and not yet shown sit before the removed one in time, not in place: showing
    // them now would shift the rows Qt reads. The whole list is shown again instead.
    if (shown_ != items_.count() + 1) {
        reset();
        return;
    }
    beginRemoveRows({}, row, row);
    shown_ = items_.count();
    endRemoveRows();
    emit rowsShown();
}

void ItemListModel::reset() {
    beginResetModel();
    shown_ = items_.count();
    flushQueued_ = false;
    endResetModel();
    emit rowsShown();
}

}  // namespace qtview
