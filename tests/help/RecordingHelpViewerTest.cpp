#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HelpTesting.h"
#include "platform/help/RecordingHelpViewer.h"
#include "platform/mvdb/Database.h"

namespace {

using help::RecordingHelpViewer;
using Call = RecordingHelpViewer::Call;

const std::string kTitle = "Paramètres de basculement du planning en saisie d'actvité";

void showScreenHelp(help::HelpViewer& viewer) {
    std::string page = "TpsParamPaiePlg.htm", context, title = kTitle, options;
    viewer.ShowHelp(page, context, title, options);
}

TEST(RecordingHelpViewer, RecordsEveryCallInOrderAndHandsEachToItsListener) {
    help::testing::ScratchFolder folder;
    const std::string path = (folder.path() / "base.mvdb").string();
    auto database = std::make_shared<mvdb::Database>(mvdb::Database::Create(path));
    auto client = std::make_shared<mvdb::DbClient>("mdupont", path);

    std::vector<Call> heard;
    std::shared_ptr<RecordingHelpViewer> viewer;
    viewer = std::make_shared<RecordingHelpViewer>([&](const Call& call) {
        heard.push_back(call);
        EXPECT_EQ(viewer->calls().back(), call);
    });
    viewer->SetClient({});
    viewer->SetDatabase({});
    showScreenHelp(*viewer);
    viewer->SetClient(client);
    viewer->SetDatabase(database);

    const std::vector<Call> expected{
        {"SetClient", {"Nothing"}},
        {"SetDatabase", {"Nothing"}},
        {"ShowHelp", {"TpsParamPaiePlg.htm", "", kTitle, ""}},
        {"SetClient", {"mdupont"}},
        {"SetDatabase", {path}},
    };
    EXPECT_EQ(viewer->calls(), expected);
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(database.use_count(), 1) << "the viewer keeps no database alive";
}

TEST(RecordingHelpViewer, ACallReadsAsOneLineWithQuotedArguments) {
    RecordingHelpViewer viewer;
    showScreenHelp(viewer);
    viewer.SetClient({});
    std::string page = R"(a "b" \c)", empty;
    viewer.ShowHelp(page, empty, empty, empty);

    EXPECT_EQ(viewer.calls()[0].text(),
              "ShowHelp \"TpsParamPaiePlg.htm\" \"\" \"" + kTitle + "\" \"\"");
    EXPECT_EQ(viewer.calls()[1].text(), "SetClient \"Nothing\"");
    EXPECT_EQ(viewer.calls()[2].text(), R"(ShowHelp "a \"b\" \\c" "" "" "")");
}

}  // namespace
