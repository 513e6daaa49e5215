// Two clerks on one entity: this screen's save is refused when another clerk wrote, deleted or
// created the entity's record since it was opened here; nothing of the other clerk's work is
// undone, the lines stay on the screen, and reopening shows what the other clerk saved. The clerk
// is told of the other clerk's change as soon as he starts to change the entity.
#include <array>
#include <chrono>
#include <ctime>
#include <functional>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "screen/Messages.h"
#include "support/Relay.h"

namespace {

using mvdb::testing::StoreKind;

// Another clerk creates the record of entity 012, which had none when this screen opened it: this
// screen's save is refused. (What the refusal keeps, whatever the other clerk did and on either
// store: the stores' own tests; the lines kept on the screen, and leaving asking about them, after
// any failed save: FailingDatabaseTest.)
class SharedEntityTest : public control_testing::EditorTest {
protected:
    SharedEntityTest() {
        control.setErrorHandler([this](const std::exception& error) {
            shown.push_back(dynamic_cast<const platform::ComponentError&>(error));
        });
    }

    std::vector<platform::ComponentError> shown;
};

TEST_F(SharedEntityTest, ASaveOverAnotherClerksWorkIsRefusedAndReopeningShowsTheirs) {
    reopen("012");
    addLine({"205"});
    {
        mvdb::DbRecord theirs =
            mvdb::Database::Open(location).OpenFile("TPSPARAMBASCUL").NewRecord("012");
        theirs.Assign(mvdb::fromNotation("^^^^101]123"));
        theirs.DBWrite();
    }

    user.click(control.Cmd_Ok);
    ASSERT_EQ(shown.size(), 1u) << "the refusal was reported as a success";
    EXPECT_EQ(shown[0].number(), mvdb::kErrRecordChanged);
    EXPECT_EQ(std::string(shown[0].what()),
              "Les paramètres de l'entité juridique 012 n'ont pas été enregistrés : un autre "
              "utilisateur a modifié cette entité depuis son ouverture, et rien n'a été "
              "enregistré. Cliquez sur « Annuler » puis rouvrez l'entité pour voir les lignes "
              "enregistrées par l'autre utilisateur.");
    EXPECT_EQ(storedRecord("012"), "^^^^101]123");

    reopen("012");
    EXPECT_EQ(control.Lst_Codes.ListCount(), 2);
}

class EarlyWordTest : public control_testing::EditorTest,
                      public ::testing::WithParamInterface<StoreKind> {
protected:
    EarlyWordTest()
        : EditorTest(GetParam() == StoreKind::kServer
                         ? test_support::PostgresServer::shared().newDatabase()
                         : "") {}

    // The word this clerk reads about entity 007, what (saved or deleted) by bernard at that
    // local minute.
    static std::string word(const std::string& what, std::chrono::system_clock::time_point at) {
        const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
        std::tm local{};
        ::localtime_r(&seconds, &local);
        std::array<char, 32> moment{};
        std::strftime(moment.data(), moment.size(), "%d/%m/%Y à %H:%M", &local);
        return "Les paramètres de l'entité juridique 007 ont été " + what + " par bernard le " +
               moment.data() +
               ", depuis que vous avez ouvert l'entité. Vos modifications seraient refusées à "
               "l'enregistrement : cliquez sur « Annuler » puis rouvrez l'entité pour repartir de "
               "son état enregistré.";
    }

    // Another clerk, whose host named him bernard, does something to 007; the word about it,
    // as this clerk should read it, at the minute the change was kept.
    std::vector<std::string> meanwhile(const std::string& what,
                                       const std::function<void(const mvdb::DbFile&)>& act) {
        const auto before = std::chrono::system_clock::now();
        act(mvdb::Database::Open(location, {.user = "bernard"}).OpenFile("TPSPARAMBASCUL"));
        return {word(what, before), word(what, std::chrono::system_clock::now())};
    }

    // The texts of the boxes shown since the last look.
    std::vector<std::string> shownSince() {
        std::vector<std::string> texts;
        for (; seen < messages.asked.size(); ++seen)
            texts.push_back(messages.asked[seen].text);
        return texts;
    }

    std::size_t seen = 0;
};

// The clerk who starts to change an entity that another clerk saved or deleted since it was
// opened here is told at once by whom and when, once for each change, and his action goes on.
TEST_P(EarlyWordTest, AnotherClerksChangeIsToldAtTheFirstActionOnItAndTheActionGoesOn) {
    const std::vector<std::string> saved = meanwhile("enregistrés", [](const mvdb::DbFile& file) {
        mvdb::DbRecord theirs = file.ReadRecord("007");
        theirs.Assign(mvdb::fromNotation("^^^^123"));
        theirs.DBWrite();
    });
    user.click(control.Cmd_Ajouter);
    const std::vector<std::string> shown = shownSince();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0] == saved.front() || shown[0] == saved.back()) << shown[0];
    control_testing::expectBox(messages.asked[0], messages::avertissement(shown[0]));
    EXPECT_TRUE(control.Cmd_OkDetail.Enabled()) << "the line was not opened for adding";

    messages.answers.push_back(toolkit::MsgAnswer::Yes);
    user.click(control.Cmd_AnnulerDetail);
    open(1);
    EXPECT_EQ(shownSince(),
              std::vector<std::string>{"Etes vous sur(e) de vouloir annuler cet ajout ?"})
        << "the same change was told twice";

    const std::vector<std::string> deleted =
        meanwhile("supprimés", [](const mvdb::DbFile& file) { file.DeleteRecord("007"); });
    messages.answers.push_back(toolkit::MsgAnswer::No);
    user.click(control.Cmd_Supprimer);
    const std::vector<std::string> then = shownSince();
    ASSERT_EQ(then.size(), 2u);
    EXPECT_TRUE(then[0] == deleted.front() || then[0] == deleted.back()) << then[0];
    EXPECT_EQ(then[1], "Etes vous sur(e) de vouloir supprimer cette ligne ?");
}

INSTANTIATE_TEST_SUITE_P(Clerks, EarlyWordTest, mvdb::testing::kBothStores, [](const auto& info) {
    return std::string(info.param == StoreKind::kFile ? "File" : "Server");
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
        "lignes enregistrées."))
        << shown;
    const std::string saved = storedRecord();

    shown.clear();
    user.click(control.Cmd_Ok);
    EXPECT_EQ(shown, "") << "saving again was taken for another clerk's change";
    EXPECT_EQ(storedRecord(), saved);
    EXPECT_EQ(control.Lst_Codes.ListCount(), 0) << "the screen is cleared for the next code";
}

}  // namespace
