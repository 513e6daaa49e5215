// The help window: one window per viewer, shown again with each page; a page refused leaves it as
// it was. The page, its title and its source as the screen's help menu opens them are the control's
// window test.
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/help/HelpErrors.h"
#include "platform/help/WindowHelpViewer.h"

namespace {

using test_support::failureOf;

TEST(WindowHelpViewerTest, ShowsItsOneWindowAgainForEachPageAndLeavesItAsItWasWhenRefused) {
    ::unsetenv("OSTREVAN_HELP_DIR");
    help::WindowHelpViewer viewer;
    const auto show = [&](std::string page, std::string title) {
        std::string context, options;
        viewer.ShowHelp(page, context, title, options);
    };
    EXPECT_EQ(failureOf([&] { show("Absente.htm", "Absente"); }).number(), help::kErrNoSuchPage);
    EXPECT_EQ(viewer.window(), nullptr);
    show("TpsParamPaiePlg.htm", "Premier");
    QTextBrowser* first = const_cast<QTextBrowser*>(viewer.window());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->close();

    show("TpsParamPaiePlg.htm", "Second");
    EXPECT_EQ(viewer.window(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), "Second");
    EXPECT_TRUE(first->toPlainText().contains(QString::fromUtf8("Heures Fériées Travaillées")));
    const QUrl shown = first->source();
    EXPECT_EQ(failureOf([&] { show("../CMakeLists.txt", "Autre"); }).number(),
              help::kErrBadPageName);
    EXPECT_EQ(first->windowTitle(), "Second");
    EXPECT_EQ(first->source(), shown);
}

}  // namespace
