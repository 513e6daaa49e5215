// The items of a combo box or list box model, as a Qt item model: the one way both Qt widgets
// show items. It reads the model's ItemList in place and copies nothing.
//
// Appends are shown in bulk: an Appended change only notes that rows are pending, and one
// beginInsertRows/endInsertRows for all of them follows, queued to the event loop, or sooner
// when flush() is called or any other change arrives, so that 10,000 AddItem calls cost one
// insertion. The toolkit tells a change after making it: a row Qt asks for that the list no
// longer has reads as empty. After every change of rows, rowsShown() is emitted, so that the
// widget can show its model's selection again (Qt moves a widget's current row by itself).
//
// A row reads aloud as its text, or as the widget's model says it (Qt::AccessibleTextRole).
#pragma once

#include <QAbstractListModel>
#include <functional>
#include <string>

#include "platform/toolkit/ItemList.h"
#include "platform/toolkit/View.h"

namespace qtview {

class ItemListModel : public QAbstractListModel {
    Q_OBJECT

public:
    ItemListModel(const toolkit::ItemList& items, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // How a row is read aloud, as the widget's model says it.
    void setSpoken(std::function<std::string(int row)> spoken) { spoken_ = std::move(spoken); }

    void itemsChanged(const toolkit::ItemChange& change);
    // Shows the appended items that are still pending.
    void flush();

signals:
    void rowsShown();

private:
    void queueFlush();
    void removeRow(int row);
    void reset();

    const toolkit::ItemList& items_;
    std::function<std::string(int row)> spoken_;
    int shown_ = 0;  // the rows Qt knows of
    bool flushQueued_ = false;
};

}  // namespace qtview
