// Two clerks on one entity: this screen's save is refused when another clerk wrote, deleted or
// created the entity's record since it was opened here; nothing of the other clerk's work is
// undone, the lines stay on the screen, and reopening shows what the other clerk saved.
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "support/Relay.h"

namespace {

using mvdb::testing::StoreKind;

// What the other clerk does to the entity while this screen holds it open.
struct Meanwhile {
    const char* name;
    const char* entity;
    std::function<void(const mvdb::DbFile&)> act;
    const char* storedAfter;  // "none": no record
    int linesOnReopening;
};

const Meanwhile kMeanwhile[] = {
    {"Saved", "007",
     [](const mvdb::DbFile& parameters) {
         mvdb::DbRecord theirs = parameters.ReadRecord("007");
         theirs.Assign(mvdb::fromNotation("28/11/2024^PAIE03^^15/09/2021^123^^^^"));
         theirs.DBWrite();
     },
     "28/11/2024^PAIE03^^15/09/2021^123^^^^", 1},
    {"Deleted", "007", [](const mvdb::DbFile& parameters) { parameters.DeleteRecord("007"); },
     "none", 0},
    {"Created", "012",
     [](const mvdb::DbFile& parameters) {
         mvdb::DbRecord theirs = parameters.NewRecord("012");
         theirs.Assign(mvdb::fromNotation("^^^^101]123"));
         theirs.DBWrite();
     },
     "^^^^101]123", 2},
};

class SharedEntityTest : public control_testing::EditorTest,
                         public ::testing::WithParamInterface<std::tuple<StoreKind, Meanwhile>> {
protected:
    SharedEntityTest() : EditorTest(std::get<0>(GetParam())) {
        control.setErrorHandler([this](const std::exception& error) {
            shown.push_back(dynamic_cast<const platform::ComponentError&>(error));
        });
    }

    std::string storedOrNone(const std::string& key) const {
        const std::optional<mvdb::DbRecord> record =
            database.OpenFile("TPSPARAMBASCUL").ReadRecords(std::vector<std::string>{key})[0];
        return record ? mvdb::toNotation(record->Extract()) : "none";
    }

    std::vector<platform::ComponentError> shown;
};

TEST_P(SharedEntityTest, ASaveOverAnotherClerksWorkIsRefusedAndReopeningShowsTheirs) {
    const Meanwhile& meanwhile = std::get<1>(GetParam());
    if (std::string(meanwhile.entity) != "007") reopen(meanwhile.entity);
    addLine({"205"});
    const int lines = control.Lst_Codes.ListCount();
    meanwhile.act(mvdb::Database::Open(location).OpenFile("TPSPARAMBASCUL"));

    user.click(control.Cmd_Ok);
    ASSERT_EQ(shown.size(), 1u) << "the refusal was reported as a success";
    EXPECT_EQ(shown[0].number(), mvdb::kErrRecordChanged);
    EXPECT_EQ(std::string(shown[0].what()),
              "Les paramètres de l'entité juridique " + std::string(meanwhile.entity) +
                  " n'ont pas été enregistrés : un autre utilisateur a modifié cette entité "
                  "depuis son ouverture, et rien n'a été enregistré. Cliquez sur « Annuler » puis "
                  "rouvrez l'entité pour voir les lignes enregistrées par l'autre utilisateur.");
    EXPECT_EQ(storedOrNone(meanwhile.entity), meanwhile.storedAfter);
    EXPECT_EQ(control.Lst_Codes.ListCount(), lines) << "the lines stay on the screen";

    messages.answers.push_back(toolkit::MsgAnswer::Cancel);
    user.click(control.Cmd_Sortir);
    EXPECT_EQ(messages.asked.back().text, "Voulez-vous enregistrer les modifications ?");

    reopen(meanwhile.entity);
    EXPECT_EQ(control.Lst_Codes.ListCount(), meanwhile.linesOnReopening);
    EXPECT_EQ(storedOrNone(meanwhile.entity), meanwhile.storedAfter) << "reopening wrote nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Clerks, SharedEntityTest,
    ::testing::Combine(mvdb::testing::kBothStores, ::testing::ValuesIn(kMeanwhile)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == StoreKind::kFile ? "File" : "Server") +
               std::get<1>(info.param).name;
    });

// The relay between a clerk and the run's server, there before the clerk's database.
struct WithRelay {
    test_support::Relay relay{test_support::PostgresServer::shared().folder()};
};

// The link to the server breaks after the server kept the entity's record, before its answer came.
class LostAnswerTest : private WithRelay, public control_testing::EditorTest {
protected:
    LostAnswerTest()
        : EditorTest(relay.route(test_support::PostgresServer::shared().newDatabase())) {
        control.setErrorHandler([this](const std::exception& error) { shown = error.what(); });
    }

    using WithRelay::relay;
    std::string shown;
};

// The clerk is told that nobody knows whether the lines were saved; saving them again is no
// other clerk's change, and saves them once.
TEST_F(LostAnswerTest, ASaveWhoseAnswerIsLostIsToldUnknownAndSavingAgainSaves) {
    addLine({"205"});
    user.click(control.Cmd_Ok);  // a first save, so that the next one is one request
    type(control.Txt_Entite, "007");
    addLine({"123"});
    relay.loseNextAnswer();
    user.click(control.Cmd_Ok);
    EXPECT_TRUE(
        shown.starts_with("On ne sait pas si les paramètres de l'entité juridique 007 "
                          "ont été enregistrés : Le serveur de la base de données « " +
                          database.Name() + " » a été perdu : "))
        << shown;
    EXPECT_TRUE(shown.ends_with(
        " ; l'écriture envoyée a peut-être été enregistrée, peut-être pas. Cliquez de nouveau sur "
        "« OK » pour les enregistrer, ou sur « Annuler » puis rouvrez l'entité pour voir les "
        "lignes "
        "enregistrées."))
        << shown;
    const std::string saved = storedRecord();
    EXPECT_EQ(control.Lst_Codes.List(6), "123;;;;") << "the lines stay on the screen";

    shown.clear();
    user.click(control.Cmd_Ok);
    EXPECT_EQ(shown, "") << "saving again was taken for another clerk's change";
    EXPECT_EQ(storedRecord(), saved);
    EXPECT_EQ(control.Lst_Codes.ListCount(), 0) << "the screen is cleared for the next code";
}

}  // namespace
