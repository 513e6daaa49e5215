// What the models hold shows in the Qt widgets, whoever changed it, without raising anything in
// the models.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <cmath>

#include "TestSurface.h"
#include "platform/qt/Twips.h"

namespace qtview {
namespace {

using SurfaceShowsModelsTest = TestSurface;

TEST_F(SurfaceShowsModelsTest, TextsCaptionsItemsAndSelectionsShowAsTheModelsHoldThem) {
    int changes = 0;
    name.onChange = [&] { ++changes; };
    name.SetText("Dupont");
    for (const char* item : {"Heures", "Primes"}) {
        kind.AddItem(item);
        lines.AddItem(item);
    }
    kind.SetListIndex(1);
    lines.SetListIndex(0);
    EXPECT_EQ(qt<QLineEdit>(name).text(), "Dupont");
    EXPECT_EQ(changes, 1);  // the program's own change, and nothing from the view
    EXPECT_EQ(qt<QPushButton>(ok).text(), "OK");
    EXPECT_EQ(qt<QLabel>(caption).text(), "Nom");
    EXPECT_EQ(qt<QGroupBox>(box).title(), "Cadre");
    QComboBox& combo = qt<QComboBox>(kind);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.lineEdit()->text(), "Primes");
    EXPECT_EQ(combo.view()->selectionModel()->selectedRows().value(0).row(), 1);  // heard as chosen
    // A row removed after the current one, or the current one's text changed, moves no current
    // row: assistive technology would be told that the focus moved.
    QSignalSpy currentMoves(qt<QListView>(lines).selectionModel(),
                            &QItemSelectionModel::currentChanged);
    lines.RemoveItem(1);
    lines.SetList(0, "Heures 25 %");
    EXPECT_EQ(currentMoves.count(), 0);
    EXPECT_EQ(qt<QListView>(lines).currentIndex().row(), 0);

    kind.SetText("Autre");
    lines.RemoveItem(0);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.lineEdit()->text(), "Autre");
    EXPECT_FALSE(combo.view()->selectionModel()->hasSelection());
    EXPECT_FALSE(qt<QListView>(lines).selectionModel()->hasSelection());

    // Items added to an empty combo leave its text and its selection: Qt would select the first.
    kind.Clear();
    kind.SetText("libre");
    kind.AddItem("Heures");
    QCoreApplication::processEvents();
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.lineEdit()->text(), "libre");

    // Rows appended leave where the user scrolled the list, away from its selected row.
    for (int row = 0; row < 20; ++row)
        lines.AddItem("ligne");
    lines.SetListIndex(0);
    QCoreApplication::processEvents();
    QScrollBar& scroll = *qt<QListView>(lines).verticalScrollBar();
    const int scrolled = scroll.maximum();
    scroll.setValue(scrolled);
    lines.AddItem("ajoutée");
    QCoreApplication::processEvents();
    EXPECT_EQ(scroll.value(), scrolled);
}

TEST_F(SurfaceShowsModelsTest, EnabledVisibleAndFocusFollowTheModels) {
    name.SetEnabled(false);
    lines.SetVisible(false);
    box.SetEnabled(false);
    EXPECT_FALSE(qt<QLineEdit>(name).isEnabled());
    EXPECT_TRUE(qt<QListView>(lines).isHidden());
    EXPECT_FALSE(qt<QLineEdit>(inner).isEnabled());  // disabled by its frame, as in the model

    box.SetEnabled(true);
    inner.SetFocus();
    EXPECT_EQ(qtFocus(), &qt<QLineEdit>(inner));
    box.SetVisible(false);  // the focused widget becomes unusable: the surface has Qt's focus
    EXPECT_EQ(qtFocus(), view.get());
    QTest::keyClick(view.get(), Qt::Key_Tab);  // Tab from the surface itself
    EXPECT_EQ(surface.ActiveControl(), &kind);
    EXPECT_EQ(qtFocus(), &qt<QComboBox>(kind));
}

// The selections stay the models'; only the highlight waits for the focus.
TEST_F(SurfaceShowsModelsTest, ABoxHighlightsItsSelectionOnlyWhileItHasTheFocus) {
    kind.AddItem("Heures");
    kind.SetListIndex(0);  // the combo's text part all selected
    name.SetText("Dupont");
    name.SetSelection(1, 3);
    QLineEdit& combo = *qt<QComboBox>(kind).lineEdit();
    QLineEdit& edit = qt<QLineEdit>(name);
    EXPECT_FALSE(combo.hasSelectedText());

    kind.SetFocus();
    EXPECT_EQ(combo.selectedText(), "Heures");
    EXPECT_FALSE(edit.hasSelectedText());
    name.SetFocus();
    EXPECT_EQ(edit.selectedText(), "upo");
    EXPECT_FALSE(combo.hasSelectedText());
    EXPECT_EQ(kind.SelLength(), 6);  // the hidden highlight is not the user's selection
    QTest::keyClick(&edit, Qt::Key_Tab);
    EXPECT_EQ(combo.selectedText(), "Heures");
    EXPECT_FALSE(edit.hasSelectedText());
    EXPECT_EQ(name.SelStart(), 1);
    EXPECT_EQ(name.SelLength(), 3);
}

// A frame draws its look once and shows it again: after a change, it is still the style's.
TEST_F(SurfaceShowsModelsTest, AFrameLooksAsTheStyleDrawsItsCaptionAndStateAfterEachChange) {
    QGroupBox& frame = qt<QGroupBox>(box);
    QGroupBox drawn(view.get());
    drawn.setGeometry(frame.geometry());
    drawn.setFont(frame.font());
    const auto look = [](QWidget& widget) {
        QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        widget.render(&image, {}, {}, {});  // the widget alone
        return image;
    };
    drawn.setTitle("Cadre");
    EXPECT_EQ(look(frame), look(drawn));
    box.SetEnabled(false);
    drawn.setEnabled(false);
    EXPECT_EQ(look(frame), look(drawn));
}

TEST_F(SurfaceShowsModelsTest, ListsShowTheirModelsFontOthersTheDefaultFontAndCentredLabelsWrap) {
    const QFontInfo listFont(qt<QListView>(lines).font());
    EXPECT_EQ(listFont.family(), "Liberation Mono");
    EXPECT_DOUBLE_EQ(qt<QListView>(lines).font().pointSizeF(), 8.25);
    const QFontMetricsF metrics(qt<QListView>(lines).font());
    const qreal advance = metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10;
    EXPECT_DOUBLE_EQ(advance, std::round(advance));  // columns of characters fall on pixels
    EXPECT_EQ(QFontInfo(qt<QLineEdit>(name).font()).family(), "Liberation Sans");
    EXPECT_DOUBLE_EQ(qt<QLineEdit>(name).font().pointSizeF(), 8.25);

    QLabel& centred = qt<QLabel>(title);
    EXPECT_TRUE(centred.alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(centred.wordWrap());
    EXPECT_FALSE(qt<QLabel>(caption).wordWrap());
    EXPECT_EQ(qt<QLabel>(caption).size(), qt<QLabel>(caption).sizeHint());  // sized to its caption
}

TEST(SurfaceImageTest, AFullSizeSurfaceRendersWholeWithoutBeingShownAndBarsInTheBorderColour) {
    toolkit::Surface surface(17070, 5070);
    auto& bar = surface.add<toolkit::TextBox>(at("Txt_Bar", {0, 4800, 17070, 270}, 0));
    bar.setBackColour(toolkit::SystemColour::ActiveBorder);
    auto& other = surface.add<toolkit::TextBox>(at("Txt_Other", {0, 0, 1000, 270}, 1));
    SurfaceWidget view(surface);
    const QImage shot = view.grab().toImage();
    const qreal dpi = view.logicalDpiX();
    EXPECT_EQ(shot.size() / shot.devicePixelRatio(),
              QSize(twipsToPixels(17070, dpi), twipsToPixels(5070, view.logicalDpiY())));
    const QColor border = view.palette().color(QPalette::Active, QPalette::Mid);
    const QPoint barCentre = view.widgetFor(bar)->geometry().center();
    EXPECT_EQ(shot.pixelColor(barCentre * shot.devicePixelRatio()).rgb(), border.rgb());
    EXPECT_NE(view.widgetFor(other)->palette().color(QPalette::Base), border);
}

}  // namespace
}  // namespace qtview
