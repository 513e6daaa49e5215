// The control in the Qt window, as a person uses it: what the views add only, the rules being the
// models' tests. (The help menu: the control's help tests for what the control asks of the viewer,
// tests/qt for the menu popped up, tests/help for the page's window.)
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/qt/SurfaceWidget.h"
#include "rubric/RubricCode.h"

namespace {

class ControlWindowTest : public control_testing::EditorTest {
protected:
    ControlWindowTest() {
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    template <class QtWidget>
    QtWidget& qt(const toolkit::Widget& model) const {
        auto* widget = qobject_cast<QtWidget*>(view.widgetFor(model));
        EXPECT_NE(widget, nullptr) << model.Name();
        return *widget;
    }

    // The rows of the list of lines, once the event loop has brought them into the view.
    const QAbstractItemModel& lines() const {
        QCoreApplication::processEvents();
        return *qt<QListView>(control.Lst_Detail).model();
    }

    qtview::SurfaceWidget view{control};
};

// The entity opened by a code and Enter typed into the code box, then a new line whose weekday
// code is typed, letters and all, and whose Sunday rubric is chosen in its list with the arrow
// key, confirmed with the mouse.
TEST_F(ControlWindowTest, AnEntityOpenedAndALineTypedAndPickedInTheWindowAreShown) {
    QTest::mouseClick(&qt<QPushButton>(control.Cmd_Annuler), Qt::LeftButton);
    auto& code = qt<QLineEdit>(control.Txt_Entite);
    QTest::keyClicks(&code, "7");
    QTest::keyClick(&code, Qt::Key_Return);
    EXPECT_EQ(code.text(), "007");
    EXPECT_FALSE(code.isEnabled());
    EXPECT_EQ(qt<QComboBox>(control.Cbo_Entite).currentText(), "Domicile Plus Cassignac");
    EXPECT_EQ(lines().rowCount(), 5);

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
    ASSERT_EQ(lines().rowCount(), 6);
    EXPECT_TRUE(lines().index(5, 0).data().toString().startsWith("101-Heures normales     "));
    EXPECT_EQ(control.Lst_Codes.List(5), "101;" + sundayCode + ";;;");
    EXPECT_TRUE(qt<QListView>(control.Lst_Detail).isEnabled());
    EXPECT_FALSE(weekday.isEnabled());
}

}  // namespace
