// The viewer of a headless host: every call recorded in order, handed to its listener, and read as
// one line with its arguments quoted; the objects given are named, never kept.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/help/RecordingHelpViewer.h"
#include "platform/mvdb/Database.h"

namespace {

using Call = help::RecordingHelpViewer::Call;

TEST(RecordingHelpViewer, RecordsEachCallInOrderForItsListenerAndReadsItAsOneQuotedLine) {
    test_support::TestFolder folder("help");
    const std::string path = (folder.path() / "base.mvdb").string();
    auto database = std::make_shared<mvdb::Database>(mvdb::Database::Create(path));
    std::vector<Call> heard;
    std::shared_ptr<help::RecordingHelpViewer> viewer;
    viewer = std::make_shared<help::RecordingHelpViewer>([&](const Call& call) {
        heard.push_back(call);
        EXPECT_EQ(viewer->calls().back(), call);
    });
    std::string page = "TpsParamPaiePlg.htm", context, title = "Paramètres", options;
    std::string quoted = R"(a "b" \c)";
    viewer->SetClient({});
    viewer->SetDatabase({});
    viewer->ShowHelp(page, context, title, options);
    viewer->SetClient(std::make_shared<mvdb::DbClient>("mdupont", path));
    viewer->SetDatabase(database);
    viewer->ShowHelp(quoted, context, context, context);

    const std::vector<Call> expected{
        {"SetClient", {"Nothing"}},
        {"SetDatabase", {"Nothing"}},
        {"ShowHelp", {"TpsParamPaiePlg.htm", "", "Paramètres", ""}},
        {"SetClient", {"mdupont"}},
        {"SetDatabase", {path}},
        {"ShowHelp", {quoted, "", "", ""}},
    };
    EXPECT_EQ(viewer->calls(), expected);
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(database.use_count(), 1) << "the viewer keeps no database alive";
    EXPECT_EQ(expected[0].text(), "SetClient \"Nothing\"");
    EXPECT_EQ(expected[2].text(), R"(ShowHelp "TpsParamPaiePlg.htm" "" "Paramètres" "")");
    EXPECT_EQ(viewer->calls()[5].text(), R"(ShowHelp "a \"b\" \\c" "" "" "")");
}

}  // namespace
