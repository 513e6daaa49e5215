// Opening an entity in the Qt window, as a person does it: a code and Enter typed into the code
// box, then the entity's name and its lines in sight.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/qt/SurfaceWidget.h"

namespace {

class EntityWindowTest : public control_testing::ControlTest {
protected:
    EntityWindowTest() {
        const mvdb::Database database = databaseWithFiles();
        putEntities(database, {{"001", "Aide à Domicile du Val d'Ormelune"},
                               {"007", "Domicile Plus Cassignac"}});
        put(database, "RUBSAISIE", "101", "Heures normales^3");
        put(database, "TPSPARAMBASCUL", "007", "^^^^101]101");
        handIn(database);
        control.Init();
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QWidget* qt(const toolkit::Widget& model) const { return view.widgetFor(model); }

    qtview::SurfaceWidget view{control};
};

TEST_F(EntityWindowTest, SevenAndEnterShowTheEntitysNameAndLines) {
    auto* code = qobject_cast<QLineEdit*>(qt(control.Txt_Entite));
    ASSERT_NE(code, nullptr);
    QTest::keyClicks(code, "7");
    QTest::keyClick(code, Qt::Key_Return);
    QCoreApplication::processEvents();  // the rows come into the list views from the event loop
    EXPECT_EQ(code->text(), "007");
    EXPECT_FALSE(code->isEnabled());
    EXPECT_EQ(qobject_cast<QComboBox*>(qt(control.Cbo_Entite))->currentText(),
              "Domicile Plus Cassignac");
    const QAbstractItemModel& lines = *qobject_cast<QListView*>(qt(control.Lst_Detail))->model();
    ASSERT_EQ(lines.rowCount(), 2);
    EXPECT_EQ(lines.index(1, 0).data().toString(),
              QString::fromStdString("101-Heures normales" + std::string(136, ' ')));
}

}  // namespace
