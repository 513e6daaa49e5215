// The help: which clicks open its menu, and what its entry asks of the one help viewer.
#include <memory>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/component/Runtime.h"
#include "platform/help/RecordingHelpViewer.h"

namespace {

using Call = help::RecordingHelpViewer::Call;

class HelpTest : public control_testing::ControlTest {
protected:
    HelpTest() : database(databaseWithFiles()) {}

    void chooseHelp() {
        user.rightClick(300, 4000);
        user.chooseMenuEntry(control.Mnu_Sommaire);
    }

    // The calls of one use of the help, appended to calls.
    void use(std::vector<Call>& calls, const std::string& client) const {
        calls.insert(calls.end(),
                     {{"SetClient", {client}},
                      {"SetDatabase", {database.Name()}},
                      {"ShowHelp",
                       {"TpsParamPaiePlg.htm", "",
                        "Paramètres de basculement du planning en saisie d'actvité", ""}}});
    }

    mvdb::Database database;
    int created = 0;
    std::shared_ptr<help::RecordingHelpViewer> viewer;
    component::ClassRegistration viewerClass{help::helpViewerClass(), [this] {
                                                 ++created;
                                                 viewer =
                                                     std::make_shared<help::RecordingHelpViewer>();
                                                 return viewer;
                                             }};
};

TEST_F(HelpTest, OnlyARightClickOnTheControlsOwnSurfaceOpensTheMenu) {
    for (std::int16_t button : {1, 4}) {
        std::int16_t shift = 0;
        float x = 300, y = 4000;
        control.onMouseDown(button, shift, x, y);
        EXPECT_EQ(control.shownMenu(), nullptr) << "button " << button;
    }
    user.rightClick(control.Txt_Entite);
    EXPECT_EQ(control.shownMenu(), nullptr);
    user.rightClick(300, 4000);
    EXPECT_EQ(control.shownMenu(), &control.Mnu_Aide);
}

TEST_F(HelpTest, EveryUseGoesToOneViewerWithTheObjectsTheHostSetLast) {
    control.TheDatabase(std::make_shared<mvdb::Database>(database));
    chooseHelp();  // no client handed in yet
    handIn(database);
    chooseHelp();
    control.TheClient(std::make_shared<mvdb::DbClient>("paul", database.Name()));
    chooseHelp();
    EXPECT_EQ(created, 1);
    std::vector<Call> expected;
    use(expected, help::RecordingHelpViewer::kNothing);
    use(expected, "marie");
    use(expected, "paul");
    EXPECT_EQ(viewer->calls(), expected);
}

}  // namespace
