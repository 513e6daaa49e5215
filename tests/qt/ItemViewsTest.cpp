// Combo and list boxes show their models' items through one item model, appended in bulk.
#include <QComboBox>
#include <QElapsedTimer>
#include <QListView>
#include <QSignalSpy>
#include <array>

#include "TestSurface.h"

namespace qtview {
namespace {

class ItemViewsTest : public testing::Test {
protected:
    toolkit::ComboBox& addCombo(int row) {
        return surface.add<toolkit::ComboBox>(at("Cmb", {0, row * 400, 3000, 300}, row));
    }

    toolkit::Surface surface{9000, 4500};
};

TEST_F(ItemViewsTest, TenThousandAppendsToEachOfFiveCombosAreShownInOneInsertionEach) {
    constexpr int kCombos = 5;
    constexpr int kItems = 10'000;
    std::array<toolkit::ComboBox*, kCombos> combos{};
    for (int i = 0; i < kCombos; ++i)
        combos[i] = &addCombo(i);
    SurfaceWidget view(surface);
    view.show();
    std::vector<std::unique_ptr<QSignalSpy>> insertions;
    for (toolkit::ComboBox* combo : combos) {
        insertions.push_back(
            std::make_unique<QSignalSpy>(qobject_cast<QComboBox*>(view.widgetFor(*combo))->model(),
                                         &QAbstractItemModel::rowsInserted));
    }

    QElapsedTimer timer;
    timer.start();
    for (toolkit::ComboBox* combo : combos) {
        for (int item = 0; item < kItems; ++item)
            combo->AddItem("Rubrique " + std::to_string(item));
    }
    const qint64 appended = timer.elapsed();
    QCoreApplication::processEvents();
    const qint64 shown = timer.elapsed();
    std::printf("%d combo boxes of %d items: appended in %lld ms, shown %lld ms later\n", kCombos,
                kItems, static_cast<long long>(appended), static_cast<long long>(shown - appended));

    for (int i = 0; i < kCombos; ++i) {
        auto& combo = *qobject_cast<QComboBox*>(view.widgetFor(*combos[i]));
        EXPECT_EQ(combo.count(), kItems);
        EXPECT_EQ(combo.itemText(kItems - 1), "Rubrique 9999");
        EXPECT_EQ(insertions[i]->count(), 1);
        EXPECT_EQ(combo.currentIndex(), -1);
    }
}

TEST_F(ItemViewsTest, AppendsPendingAreShownBeforeAnyOtherChange) {
    toolkit::ComboBox& combo = addCombo(0);
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

    for (const char* item : {"a", "b", "c"})
        combo.AddItem(item);
    combo.SetListIndex(2);  // no event loop between: the rows must be there already
    EXPECT_EQ(qtCombo.currentIndex(), 2);
    EXPECT_EQ(qtCombo.count(), 3);

    for (const char* item : {"a", "b", "c"})
        list.AddItem(item);
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
