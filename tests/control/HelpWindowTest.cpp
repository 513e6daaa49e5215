// The help in the Qt window, as a person uses it: a right click on the control's surface, the
// menu's entry chosen, and the screen's help page open in a window of its own.
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/component/Runtime.h"
#include "platform/help/WindowHelpViewer.h"
#include "platform/qt/SurfaceWidget.h"

namespace {

class HelpWindowTest : public control_testing::ControlTest {
protected:
    HelpWindowTest() : database(databaseWithFiles()) {
        handIn(database);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // The visible help windows.
    static std::vector<QTextBrowser*> helpWindows() {
        std::vector<QTextBrowser*> found;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* browser = qobject_cast<QTextBrowser*>(window);
            if (browser != nullptr && browser->isVisible()) found.push_back(browser);
        }
        return found;
    }

    mvdb::Database database;
    component::ClassRegistration viewerClass{
        help::helpViewerClass(), [] { return std::make_shared<help::WindowHelpViewer>(); }};
    qtview::SurfaceWidget view{control};
};

TEST_F(HelpWindowTest, TheMenusEntryOpensTheScreensHelpPage) {
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(20, 300));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Aide_QUORVEL");
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QCoreApplication::processEvents();

    const std::vector<QTextBrowser*> windows = helpWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->windowTitle(),
              QString::fromUtf8("Paramètres de basculement du planning en saisie d'actvité"));
    EXPECT_TRUE(windows[0]->source().toLocalFile().endsWith("/TpsParamPaiePlg.htm"));
}

}  // namespace
