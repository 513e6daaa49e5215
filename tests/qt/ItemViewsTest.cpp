// Combo and list boxes show their models' items through one item model, appended in bulk, and the
// appends still pending are shown before any other change.
#include <QComboBox>
#include <QListView>
#include <QSignalSpy>

#include "TestSurface.h"

namespace qtview {
namespace {

TEST(ItemViewsTest, AppendsAreShownInOneInsertionAndBeforeAnyOtherChange) {
    toolkit::Surface surface{9000, 4500};
    auto& combo = surface.add<toolkit::ComboBox>(at("Cmb", {0, 0, 3000, 300}, 0));
    auto& list = surface.add<toolkit::ListBox>(at("Lst", {0, 1000, 3000, 1500}, 1));
    SurfaceWidget view(surface);
    auto& qtCombo = *qobject_cast<QComboBox*>(view.widgetFor(combo));
    QAbstractItemModel& rows = *qobject_cast<QListView*>(view.widgetFor(list))->model();
    const auto texts = [&rows] {
        QStringList shown;
        for (int row = 0; row < rows.rowCount(); ++row)
            shown << rows.index(row, 0).data().toString();
        return shown.join(',');
    };

    QSignalSpy insertions(qtCombo.model(), &QAbstractItemModel::rowsInserted);
    for (int item = 0; item < 10'000; ++item)
        combo.AddItem("Rubrique " + std::to_string(item));
    QCoreApplication::processEvents();
    EXPECT_EQ(qtCombo.count(), 10'000);
    EXPECT_EQ(qtCombo.itemText(9'999), "Rubrique 9999");
    EXPECT_EQ(insertions.count(), 1);
    EXPECT_EQ(qtCombo.currentIndex(), -1);

    combo.Clear();
    for (const char* item : {"a", "b", "c"}) {
        combo.AddItem(item);
        list.AddItem(item);
    }
    combo.SetListIndex(2);  // no event loop between: the rows must be there already
    EXPECT_EQ(qtCombo.currentIndex(), 2);
    EXPECT_EQ(qtCombo.count(), 3);
    list.SetList(1, "B");
    EXPECT_EQ(texts(), "a,B,c");
    list.AddItem("d");
    list.RemoveItem(0);  // removed while "d" is still pending
    EXPECT_EQ(texts(), "B,c,d");
    list.AddItem("e");
    list.Clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(rows.rowCount(), 0);
}

}  // namespace
}  // namespace qtview
