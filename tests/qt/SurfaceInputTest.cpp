// The user's keys and clicks on the Qt widgets reach the models as the user's actions, and the
// Qt widgets then show what the models made of them. The rules the models apply are the toolkit
// tests'; here, only what the views add.
#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <vector>

#include "TestSurface.h"

namespace qtview {
namespace {

// Logs what reaches the models: the keys of the name box (which types B for b and discards x),
// and the clicks, double clicks and mouse downs, with the list's selection or the button pressed.
class SurfaceInputTest : public TestSurface {
protected:
    SurfaceInputTest() {
        name.onKeyPress = [this](toolkit::KeyCode& code) {
            pressed.push_back(code);
            if (code == 'b') code = 'B';
            if (code == 'x') code = toolkit::kKeyDiscarded;
        };
        kind.onClick = [this] { log("click", kind, kind.ListIndex()); };
        lines.onClick = [this] { log("click", lines, lines.ListIndex()); };
        lines.onDblClick = [this] { log("dblclick", lines, lines.ListIndex()); };
        ok.onClick = [this] { log("click", ok, 0); };
        for (toolkit::Widget* widget : std::initializer_list<toolkit::Widget*>{&caption, &name}) {
            widget->onMouseDown = [this, widget](std::int16_t& button, std::int16_t&, float&,
                                                 float&) { log("down", *widget, button); };
        }
    }

    void log(const char* event, const toolkit::Widget& widget, int value) {
        events.push_back(std::string(event) + " " + widget.Name() + " " + std::to_string(value));
    }

    QLineEdit& edit = qt<QLineEdit>(name);
    std::vector<toolkit::KeyCode> pressed;
    std::vector<std::string> events;
};

TEST_F(SurfaceInputTest, TypedKeysGoThroughKeyPressAndTheLineEditShowsOnlyTheModelsText) {
    QTest::keyClicks(&edit, "abx");
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_Eacute, QString::fromUtf8("é"), {});
    EXPECT_EQ(pressed, (std::vector<toolkit::KeyCode>{'a', 'b', 'x', 0xE9}));
    EXPECT_EQ(name.Text(), "aBé");
    EXPECT_EQ(edit.text(), QString::fromUtf8("aBé"));
    EXPECT_EQ(edit.cursorPosition(), 3);
    EXPECT_EQ(qtFocus(), &edit);

    // Enter reaches KeyPress; Tab and Shift+Tab move the model's focus, and Qt's with it.
    pressed.clear();
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(pressed, (std::vector<toolkit::KeyCode>{toolkit::kKeyEnter}));
    QTest::keyClick(&edit, Qt::Key_Tab);
    EXPECT_EQ(surface.ActiveControl(), &kind);
    EXPECT_EQ(qtFocus(), &qt<QComboBox>(kind));
    QTest::keyClick(&qt<QComboBox>(kind), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(surface.ActiveControl(), &name);
    EXPECT_EQ(qtFocus(), &edit);
}

TEST_F(SurfaceInputTest, CaretMovesAreReportedInCharactersAndEditsGoThroughTheModelOnly) {
    name.SetText(
        "a\xF0\x9F\x98\x80"
        "bc");  // one character beyond U+FFFF, two UTF-16 units
    name.SetFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(name.SelStart(), 4);
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(name.SelStart(), 2);
    EXPECT_EQ(name.SelLength(), 2);
    QTest::keyClicks(&edit, "z");
    EXPECT_EQ(name.Text(), "a\xF0\x9F\x98\x80z");
    EXPECT_EQ(edit.cursorPosition(), 4);

    // Backspace, Delete and Paste edit through the model; Delete is no key of KeyPress.
    pressed.clear();
    name.SetText("abcd");
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QGuiApplication::clipboard()->setText("xy");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name.Text(), "xybc");
    EXPECT_EQ(edit.text(), "xybc");
    EXPECT_EQ(pressed, (std::vector<toolkit::KeyCode>{toolkit::kKeyBackspace, toolkit::kKeyPaste}));

    // Cut, Shift+Delete, Undo and Ctrl+Backspace are Qt's own edits: none reaches the text.
    name.SetText("abcd");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(name.Text(), "abcd");
    EXPECT_EQ(edit.text(), "abcd");
    EXPECT_EQ(name.SelLength(), 4);  // Select All was Qt's, and reported

    // A Backspace that KeyPress discards changes neither the model nor the line edit.
    name.onKeyPress = [](toolkit::KeyCode& code) { code = toolkit::kKeyDiscarded; };
    int changes = 0;
    name.onChange = [&] { ++changes; };
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "abcd");
    EXPECT_EQ(changes, 0);
}

// Keys that are no command of the views go on to the window, whose shortcuts they may be; the
// modifiers are pressed alone before their key.
TEST_F(SurfaceInputTest, EscapeFunctionKeysModifiersAloneAndAltShortcutsGoOnToTheWindow) {
    struct KeysReaching : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress)
                keys.push_back(static_cast<QKeyEvent*>(event)->key());
            return false;
        }
        std::vector<int> keys;
    } window;
    view->installEventFilter(&window);
    const std::pair<Qt::Key, Qt::KeyboardModifiers> pressed[] = {{Qt::Key_Escape, {}},
                                                                 {Qt::Key_F1, {}},
                                                                 {Qt::Key_AltGr, {}},
                                                                 {Qt::Key_X, Qt::AltModifier},
                                                                 {Qt::Key_Q, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : pressed)
        QTest::sendKeyEvent(QTest::Press, &edit, key, QString(), modifiers);
    EXPECT_EQ(window.keys, (std::vector<int>{Qt::Key_Escape, Qt::Key_F1, Qt::Key_AltGr, Qt::Key_Alt,
                                             Qt::Key_X, Qt::Key_Control}));  // Ctrl+Q swallowed
}

TEST_F(SurfaceInputTest, AKeyOrTypingInTheComboReachesTheModelThenWhatItMadeShows) {
    for (const char* item : {"Heures", "Primes", "Retenues"})
        kind.AddItem(item);
    QComboBox& combo = qt<QComboBox>(kind);
    kind.SetFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(kind.Text(), "Primes");
    EXPECT_EQ(events, (std::vector<std::string>{"click Cmb_Kind 0", "click Cmb_Kind 1"}));

    // Down asks for item 2, which the model's Click turns into item 0: Qt shows item 0.
    kind.onClick = [&] {
        if (kind.ListIndex() == 2) kind.SetListIndex(0);
    };
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(kind.ListIndex(), 0);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.lineEdit()->text(), "Heures");

    QTest::keyClick(&combo, Qt::Key_End);
    QTest::keyClicks(&combo, "s");
    EXPECT_EQ(kind.Text(), "Heuress");
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.lineEdit()->text(), "Heuress");
}

TEST_F(SurfaceInputTest, ClicksOnListsAndButtonsReachTheirModels) {
    for (const char* item : {"un", "deux", "trois"})
        lines.AddItem(item);
    QListView& list = qt<QListView>(lines);
    // Qt's own checker of models stops the test at a change that the model tells wrong.
    const QAbstractItemModelTester checked(list.model(),
                                           QAbstractItemModelTester::FailureReportingMode::Fatal);
    QCoreApplication::processEvents();
    const auto rowCentre = [&](int row) {
        return list.visualRect(list.model()->index(row, 0)).center();
    };
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(list.selectionModel()->selectedRows().value(0).row(), 2);
    QTest::keyClick(&list, Qt::Key_Down);  // past the last row: nothing
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.currentIndex().row(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(lines.ListIndex(), 2);
    // A button is pressed by Space too; the mouse clicks on buttons are the control's window test.
    QTest::keyClick(&qt<QPushButton>(ok), Qt::Key_Space);
    EXPECT_EQ(surface.ActiveControl(), &ok);
    EXPECT_EQ(events, (std::vector<std::string>{"click Lst_Lines 0", "dblclick Lst_Lines 0",
                                                "click Lst_Lines 2", "click Lst_Lines 1",
                                                "click Lst_Lines 2", "click Cmd_Ok 0"}));
    // The focus that a handler moves is shown at once, so that a box it then shows returns there.
    QWidget* focusInHandler = nullptr;
    ok.onClick = [&] {
        name.SetFocus();
        focusInHandler = qtFocus();
    };
    QTest::keyClick(&qt<QPushButton>(ok), Qt::Key_Space);
    EXPECT_EQ(focusInHandler, &edit);
}

// Choosing an entry with Return is the control's window test; here, the menu shown and dismissed.
TEST_F(SurfaceInputTest, ARightClickGoesToTheSurfaceInTwipsOrToTheChildAndShowsOnlyTheModelsMenu) {
    auto& menu = surface.add<toolkit::MenuEntry>("Mnu_Popup", "Menu");
    auto& open = surface.add<toolkit::MenuEntry>("Mnu_Open", "Ouvrir", &menu);
    surface.add<toolkit::MenuEntry>("Mnu_Drop", "Supprimer", &menu);
    open.onClick = [&] { events.push_back("click Mnu_Open"); };
    std::vector<float> surfaceDown;
    surface.onMouseDown = [&](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
        surfaceDown = {float(button), float(shift), x, y};
    };
    QTest::mouseClick(&qt<QLabel>(caption), Qt::RightButton);
    QTest::mousePress(&edit, Qt::RightButton);  // down as the button goes down
    EXPECT_EQ(events.size(), 2u);
    QTest::mouseRelease(&edit, Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no context menu of Qt's
    surface.onMouseDown = [&, down = surface.onMouseDown](std::int16_t& button, std::int16_t& shift,
                                                          float& x, float& y) {
        down(button, shift, x, y);
        surface.PopupMenu(menu);
    };
    QTest::mouseClick(view.get(), Qt::RightButton, {}, QPoint(20, 250));
    const float twipsPerPixel = 1440.0f / float(view->logicalDpiX());
    EXPECT_EQ(surfaceDown, (std::vector<float>{2, 0, 20 * twipsPerPixel, 250 * twipsPerPixel}));
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_EQ(popup->actions()[1]->text(), "Supprimer");
    EXPECT_EQ(surface.shownMenu(), &menu);
    // Shown again, it replaces the menu shown, which closes without dismissing it.
    surface.PopupMenu(menu);
    QCoreApplication::processEvents();
    EXPECT_EQ(surface.shownMenu(), &menu);
    popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(surface.shownMenu(), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"down Lbl_Caption 2", "down Txt_Name 2"}));
}

}  // namespace
}  // namespace qtview
