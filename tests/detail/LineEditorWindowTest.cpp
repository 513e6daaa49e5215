// The line editor in the Qt window, as a person uses it: a new line whose weekday code is typed,
// letters and all, and whose Sunday rubric is chosen in its list with the arrow key, then
// confirmed with the mouse.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/qt/SurfaceWidget.h"
#include "rubric/RubricCode.h"

namespace {

class LineEditorWindowTest : public control_testing::EditorTest {
protected:
    LineEditorWindowTest() {
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    template <class QtWidget>
    QtWidget& qt(const toolkit::Widget& model) const {
        auto* widget = qobject_cast<QtWidget*>(view.widgetFor(model));
        EXPECT_NE(widget, nullptr) << model.Name();
        return *widget;
    }

    qtview::SurfaceWidget view{control};
};

TEST_F(LineEditorWindowTest, ALineTypedAndPickedInTheWindowIsAddedToTheList) {
    QTest::mouseClick(&qt<QPushButton>(control.Cmd_Ajouter), Qt::LeftButton);
    auto& weekday = qt<QLineEdit>(control.Txt_RubNorm);
    QTest::keyClicks(&weekday, "1a0x1");
    EXPECT_EQ(weekday.text(), "101");
    EXPECT_EQ(qt<QComboBox>(control.Cbo_RubNorm).currentText(), "Heures normales");

    auto& sunday = qt<QComboBox>(control.Cbo_RubDim);
    QTest::keyClick(&sunday, Qt::Key_Down);  // the first rubric of the list
    const std::string sundayCode = rubric::shownCode(control.Cbo_RubDim.ItemData(0));
    EXPECT_EQ(qt<QLineEdit>(control.Txt_RubDim).text(), QString::fromStdString(sundayCode));

    QTest::mouseClick(&qt<QPushButton>(control.Cmd_OkDetail), Qt::LeftButton);
    QCoreApplication::processEvents();  // the rows come into the list views from the event loop
    const QAbstractItemModel& lines = *qt<QListView>(control.Lst_Detail).model();
    ASSERT_EQ(lines.rowCount(), 6);
    EXPECT_TRUE(lines.index(5, 0).data().toString().startsWith("101-Heures normales     "));
    EXPECT_EQ(control.Lst_Codes.List(5), "101;" + sundayCode + ";;;");
    EXPECT_TRUE(qt<QListView>(control.Lst_Detail).isEnabled());
    EXPECT_FALSE(weekday.isEnabled());
}

}  // namespace
