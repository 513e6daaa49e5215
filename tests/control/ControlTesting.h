// What the control's tests share: a database with the control's three files, a user's rights,
// recorded message boxes, and a control started on them as a host starts it.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "mvdb/TestDatabase.h"
#include "platform/Utf8.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/MessageBox.h"
#include "platform/toolkit/User.h"

namespace control_testing {

// The rights of a user that records each function code asked.
class CountingRights : public rights::UserRights {
public:
    explicit CountingRights(std::int32_t level = 2) : level_(level) {}

    component::Ref<rights::FunctionRights> GetFunctionRights(std::string& functionCode) override {
        codes.push_back(functionCode);
        return std::make_shared<rights::FunctionRights>(level_);
    }

    std::vector<std::string> codes;

private:
    std::int32_t level_;
};

// Records every message box asked, and answers a question with the next queued answer, or Yes
// when none is queued; a warning is answered OK.
class RecordedMessages : public toolkit::MessageService {
public:
    toolkit::MsgAnswer ask(const toolkit::MessageRequest& request) override {
        asked.push_back(request);
        if (request.buttons == toolkit::MsgButtons::Ok) return toolkit::MsgAnswer::Ok;
        if (answers.empty()) return toolkit::MsgAnswer::Yes;
        const toolkit::MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<toolkit::MessageRequest> asked;
    std::deque<toolkit::MsgAnswer> answers;
};

// The box asked is the one expected: text, title, icon, buttons and default button.
inline void expectBox(const toolkit::MessageRequest& asked,
                      const toolkit::MessageRequest& expected) {
    EXPECT_EQ(asked.text, expected.text);
    EXPECT_EQ(asked.title, expected.title) << expected.text;
    EXPECT_EQ(asked.icon, expected.icon) << expected.text;
    EXPECT_EQ(asked.buttons, expected.buttons) << expected.text;
    EXPECT_EQ(asked.defaultButton, expected.defaultButton) << expected.text;
}

inline component::Ref<rights::UserRights> rightsOfLevel(std::int32_t level) {
    return std::shared_ptr<rights::UserRights>(std::make_shared<CountingRights>(level));
}

class ControlTest : public mvdb::testing::TestDatabase {
protected:
    ControlTest() {
        emptyModule();
        control.setMessageService(&messages);
    }
    ~ControlTest() override { emptyModule(); }

    // A database holding the control's three files, empty, at location (the test's file by
    // default).
    mvdb::Database databaseWithFiles() { return databaseWithFiles(path()); }
    static mvdb::Database databaseWithFiles(const std::string& location) {
        mvdb::Database database = mvdb::Database::Create(location);
        for (const char* file : {"ASSOCIATION", "RUBSAISIE", "TPSPARAMBASCUL"})
            database.CreateFile(file);
        return database;
    }

    // Hands the control the database, a client and rights of that level, as a host does.
    void handIn(const mvdb::Database& database, std::int32_t level = 2) {
        control.TheDatabase(std::make_shared<mvdb::Database>(database));
        control.TheClient(std::make_shared<mvdb::DbClient>("marie", database.Name()));
        control.DroitsUtilisateur(rightsOfLevel(level));
    }

    // Entities given as code and name, in the order given.
    static void putEntities(const mvdb::Database& database,
                            const std::vector<std::pair<std::string, std::string>>& entities) {
        for (const auto& [code, name] : entities)
            put(database, "ASSOCIATION", code, name + "^12 rue des Tisserands");
    }

    // Rubrics offered in the lists (type 3), given as key and label.
    static void putRubrics(const mvdb::Database& database,
                           const std::vector<std::pair<std::string, std::string>>& rubrics) {
        for (const auto& [key, label] : rubrics)
            put(database, "RUBSAISIE", key, label + "^3");
    }

    // The user types the keys into the widget, one by one, at the caret.
    void type(toolkit::Widget& widget, const std::string& keys) {
        for (const char key : keys)
            user.typeKey(widget, static_cast<toolkit::KeyCode>(key));
    }

    Ctr_Ostrevan control;
    RecordedMessages messages;
    toolkit::User user{control};

private:
    static void emptyModule() {
        Mod_Var::gClient.reset();
        Mod_Var::gDatabase.reset();
        Mod_Var::gFicRubSaisie.reset();
        Mod_Var::gFicParam.reset();
        Mod_Var::gAide.reset();
    }
};

// The control started over entity 007, whose parameter record holds five lines, and rubrics that
// the line editor's tests need; the entity is opened by its code.
//
// Rubric keys and labels, by label in the lists: "000" has code 0; "7" and "007" are two items of
// code 7; 106 has a label of 40 characters; 132 is closed, so it is in no list, though the lines
// still show it.
class EditorTest : public ControlTest {
protected:
    // On a new database made at location: the test's own file unless the caller gives another
    // (a server's database, or one behind a relay).
    explicit EditorTest(std::string at = "")
        : location(at.empty() ? path() : std::move(at)), database(databaseWithFiles(location)) {
        putEntities(database, {{"007", "Domicile Plus Cassignac"}, {"012", "Présence"}});
        putRubrics(database, {{"000", "Heures sans majoration"},
                              {"7", "Heures d'évaluation à domicile"},
                              {"007", "Heures d'évaluation (ancienne grille)"},
                              {"101", "Heures normales"},
                              {"103", "Heures dimanche"},
                              {"106", "Heures fériées travaillées majorées 100%"},
                              {"109", "Heures 1er mai"},
                              {"123", "Heures de coordination"},
                              {"125", "Heures fériées non travaillées"},
                              {"205", "Heures de nuit"}});
        put(database, "RUBSAISIE", "132",
            "Heures dimanche (ancienne grille)^4" + std::string(16, '^') + "31/12/2024");
        // Lines: 101;103;106;125;109 / 101;;205;; / 123;;;; / 132;;;; / 101;132;;;
        put(database, "TPSPARAMBASCUL", "007", kStored007);
        handIn(database);
        control.Init();
        type(control.Txt_Entite, "007");
    }

    // The parameter record of entity 007 as the fixture stores it.
    static constexpr const char* kStored007 =
        "28/11/2024^PAIE03^^15/09/2021^101]101]123]132]101^103]]]]132^109]]]]^106]205]]]^125]]]]";

    // The user adds a line by typing its codes, given in the rubric order ("" for none), into the
    // selectors' code boxes, and confirms it.
    void addLine(const std::vector<std::string>& codes) {
        user.click(control.Cmd_Ajouter);
        for (std::size_t rubric = 0; rubric < codes.size(); ++rubric)
            type(control.rubricColumns()[rubric].code, codes[rubric]);
        user.click(control.Cmd_OkDetail);
    }

    // The user opens line (from 0) in the line editor by a double click.
    void open(int line) {
        user.select(control.Lst_Detail, line);
        user.doubleClick(control.Lst_Detail);
    }

    // The user deletes line (from 0), answering Yes to the question.
    void deleteLine(int line) {
        open(line);
        messages.answers.push_back(toolkit::MsgAnswer::Yes);
        user.click(control.Cmd_Supprimer);
    }

    // Opens the entity by its code, from a cleared screen.
    void reopen(const std::string& code) {
        user.click(control.Cmd_Annuler);
        type(control.Txt_Entite, code);
    }

    std::string storedRecord(const std::string& key = "007") const {
        return stored(database, "TPSPARAMBASCUL", key);
    }

    // The selector shows no rubric: its code box and its list empty, no item selected.
    static void expectEmpty(const screen::RubricColumn& column) {
        EXPECT_EQ(column.code.Text(), "") << column.code.Name();
        EXPECT_EQ(column.list.Text(), "") << column.list.Name();
        EXPECT_EQ(column.list.ListIndex(), -1) << column.list.Name();
    }

    // The index of the first item of the list whose item data is code.
    static int itemOf(const toolkit::ComboBox& list, std::int32_t code) {
        for (int item = 0; item < list.ListCount(); ++item) {
            if (list.ItemData(item) == code) return item;
        }
        return -1;
    }

    std::string location;  // the database's, as another clerk's program opens it
    mvdb::Database database;
};

// A column of a line as the screen shows it: the text filled with spaces to 31 characters.
inline std::string column(const std::string& text = "") {
    return text + std::string(31 - platform::characterCount(text), ' ');
}

// The texts of a combo box's or list box's items, in order.
template <class List>
std::vector<std::string> itemTexts(const List& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.ListCount(); ++i)
        texts.emplace_back(list.List(i));
    return texts;
}

}  // namespace control_testing
