#include <QTextBrowser>
#include <string>

#include <gtest/gtest.h>

#include "HelpTesting.h"
#include "platform/help/HelpErrors.h"
#include "platform/help/WindowHelpViewer.h"

namespace {

using help::testing::failureOf;

const std::string kTitle = "Paramètres de basculement du planning en saisie d'actvité";

void show(help::HelpViewer& viewer, std::string page, std::string title) {
    std::string context, options;
    viewer.ShowHelp(page, context, title, options);
}

class WindowHelpViewerTest : public ::testing::Test {
protected:
    help::testing::HelpDirSetting installed{std::nullopt};
    help::WindowHelpViewer viewer;
};

TEST_F(WindowHelpViewerTest, ShowsTheInstalledPageUnderTheTitleGiven) {
    show(viewer, "TpsParamPaiePlg.htm", kTitle);

    const QTextBrowser* window = viewer.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), kTitle);
    EXPECT_TRUE(window->source().toLocalFile().endsWith("/TpsParamPaiePlg.htm"));
    EXPECT_TRUE(window->toPlainText().contains(QString::fromUtf8("Heures Fériées Travaillées")));
}

TEST_F(WindowHelpViewerTest, EachShowHelpReusesTheOneWindowAndShowsItAgain) {
    show(viewer, "TpsParamPaiePlg.htm", "Premier");
    QTextBrowser* first = const_cast<QTextBrowser*>(viewer.window());
    first->close();

    show(viewer, "TpsParamPaiePlg.htm", kTitle);
    EXPECT_EQ(viewer.window(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle().toStdString(), kTitle);
}

TEST_F(WindowHelpViewerTest, AMissingPageFailsAndLeavesTheWindowAsItWas) {
    EXPECT_EQ(failureOf([&] { show(viewer, "Absente.htm", kTitle); }).number(),
              help::kErrNoSuchPage);
    EXPECT_EQ(viewer.window(), nullptr);

    show(viewer, "TpsParamPaiePlg.htm", kTitle);
    const QUrl shown = viewer.window()->source();
    EXPECT_EQ(failureOf([&] { show(viewer, "../CMakeLists.txt", "Autre"); }).number(),
              help::kErrBadPageName);
    EXPECT_EQ(viewer.window()->windowTitle().toStdString(), kTitle);
    EXPECT_EQ(viewer.window()->source(), shown);
}

}  // namespace
