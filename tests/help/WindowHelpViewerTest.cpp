// The help window: one window per viewer, shown again with each page; a page refused leaves it as
// it was.
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/help/HelpErrors.h"
#include "platform/help/WindowHelpViewer.h"

namespace {

using test_support::failureOf;

const std::string kTitle = "Paramètres de basculement du planning en saisie d'actvité";

class WindowHelpViewerTest : public ::testing::Test {
protected:
    WindowHelpViewerTest() { ::unsetenv("OSTREVAN_HELP_DIR"); }

    void show(std::string page, std::string title) {
        std::string context, options;
        viewer.ShowHelp(page, context, title, options);
    }

    help::WindowHelpViewer viewer;
};

TEST_F(WindowHelpViewerTest, ShowsTheInstalledPageInItsOneWindowShownAgainEachTime) {
    show("TpsParamPaiePlg.htm", "Premier");
    QTextBrowser* first = const_cast<QTextBrowser*>(viewer.window());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->close();

    show("TpsParamPaiePlg.htm", kTitle);
    EXPECT_EQ(viewer.window(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle().toStdString(), kTitle);
    EXPECT_TRUE(first->source().toLocalFile().endsWith("/TpsParamPaiePlg.htm"));
    EXPECT_TRUE(first->toPlainText().contains(QString::fromUtf8("Heures Fériées Travaillées")));
}

TEST_F(WindowHelpViewerTest, AMissingPageFailsAndLeavesTheWindowAsItWas) {
    EXPECT_EQ(failureOf([&] { show("Absente.htm", kTitle); }).number(), help::kErrNoSuchPage);
    EXPECT_EQ(viewer.window(), nullptr);
    show("TpsParamPaiePlg.htm", kTitle);
    const QUrl shown = viewer.window()->source();
    EXPECT_EQ(failureOf([&] { show("../CMakeLists.txt", "Autre"); }).number(),
              help::kErrBadPageName);
    EXPECT_EQ(viewer.window()->windowTitle().toStdString(), kTitle);
    EXPECT_EQ(viewer.window()->source(), shown);
}

}  // namespace
