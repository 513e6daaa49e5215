// Combo and list boxes show their models' items through one item model, appended in bulk, and the
// appends still pending are shown before any other change.
#include <QComboBox>
#include <QListView>
#include <QSignalSpy>

#include "TestSurface.h"

namespace qtview {
namespace {

using ItemViewsTest = TestSurface;

TEST_F(ItemViewsTest, AppendsAreShownInOneInsertionAndBeforeAnyOtherChange) {
    auto& qtCombo = qt<QComboBox>(kind);
    QAbstractItemModel& rows = *qt<QListView>(lines).model();
    const auto texts = [&rows] {
        QStringList shown;
        for (int row = 0; row < rows.rowCount(); ++row)
            shown << rows.index(row, 0).data().toString();
        return shown.join(',');
    };

    QSignalSpy insertions(qtCombo.model(), &QAbstractItemModel::rowsInserted);
    for (int item = 0; item < 10'000; ++item)
        kind.AddItem("Rubrique " + std::to_string(item));
    QCoreApplication::processEvents();
    EXPECT_EQ(qtCombo.count(), 10'000);
    EXPECT_EQ(qtCombo.itemText(9'999), "Rubrique 9999");
    EXPECT_EQ(insertions.count(), 1);
    EXPECT_EQ(qtCombo.currentIndex(), -1);

    kind.Clear();
    for (const char* item : {"a", "b", "c"}) {
        kind.AddItem(item);
        lines.AddItem(item);
    }
    kind.SetListIndex(2);  // no event loop between: the rows must be there already
    EXPECT_EQ(qtCombo.currentIndex(), 2);
    EXPECT_EQ(qtCombo.count(), 3);
    lines.SetList(1, "B");
    EXPECT_EQ(texts(), "a,B,c");
    lines.AddItem("d");
    lines.RemoveItem(0);  // removed while "d" is still pending
    EXPECT_EQ(texts(), "B,c,d");
    lines.AddItem("e");
    lines.Clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(rows.rowCount(), 0);
}

}  // namespace
}  // namespace qtview
