// Message boxes as Qt dialogs: their look, their buttons and the answers they give.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>

#include <gtest/gtest.h>

#include "QtTesting.h"
#include "platform/qt/MessageBoxService.h"

namespace qtview {
namespace {

using toolkit::MsgAnswer;
using toolkit::MsgButtons;

// Asks the request and, once the box shows, lets the user act on it.
MsgAnswer askAndAct(const toolkit::MessageRequest& request,
                    const std::function<void(QMessageBox&)>& user) {
    return qttesting::actingOnTheBox(user, [&] { return MessageBoxService(nullptr).ask(request); });
}

void click(QMessageBox& box, const QString& caption) {
    for (QAbstractButton* button : box.buttons())
        if (button->text() == caption) return button->click();
    ADD_FAILURE() << "no button " << caption.toStdString();
}

TEST(MessageBoxServiceTest, ShowsTitleIconFrenchButtonsTheDefaultAskedAndTheTextAsTyped) {
    // A label of the database, as a question names it: never rendered as markup.
    const char* typed = R"(Enregistrer « <b>Heures</b> &amp; <a href="x">nuit</a> » ?)";
    QStringList captions;
    QString defaultCaption;
    const MsgAnswer answer =
        askAndAct({typed, "Paramètres", toolkit::MsgIcon::Question, MsgButtons::YesNoCancel, 1},
                  [&](QMessageBox& box) {
                      EXPECT_EQ(box.windowTitle(), QString::fromUtf8("Paramètres"));
                      EXPECT_EQ(box.text(), QString::fromUtf8(typed));
                      EXPECT_EQ(box.textFormat(), Qt::PlainText);
                      EXPECT_EQ(box.icon(), QMessageBox::Question);
                      for (QAbstractButton* button : box.buttons())
                          captions << button->text();
                      defaultCaption = box.defaultButton()->text();
                      click(box, "Non");
                  });
    EXPECT_EQ(answer, MsgAnswer::No);
    captions.sort();
    EXPECT_EQ(captions, (QStringList{"Annuler", "Non", "Oui"}));
    EXPECT_EQ(defaultCaption, "Non");
}

TEST(MessageBoxServiceTest, EscapeAnswersAnOkBoxAndCannotCloseAYesNoBox) {
    const auto escape = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
    // A default past the buttons is the first button.
    const MsgAnswer ok = askAndAct({"!", "", toolkit::MsgIcon::Exclamation, MsgButtons::Ok, 3},
                                   [&](QMessageBox& box) {
                                       EXPECT_EQ(box.icon(), QMessageBox::Warning);
                                       EXPECT_EQ(box.defaultButton(), box.buttons().value(0));
                                       escape(box);
                                   });
    EXPECT_EQ(ok, MsgAnswer::Ok);
    const MsgAnswer yesNo =
        askAndAct({"?", "", toolkit::MsgIcon::None, MsgButtons::YesNo, 1}, [&](QMessageBox& box) {
            escape(box);
            box.close();
            EXPECT_TRUE(box.isVisible());
            click(box, "Oui");
        });
    EXPECT_EQ(yesNo, MsgAnswer::Yes);
}

}  // namespace
}  // namespace qtview
