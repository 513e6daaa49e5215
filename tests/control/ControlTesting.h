// What the control's tests share: a database with the control's three files, a user's rights,
// recorded message boxes, and a control started on them as a host starts it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "control/Ctr_Ostrevan.h"
#include "control/Mod_Var.h"
#include "mvdb/TestDatabase.h"
#include "platform/rights/Rights.h"
#include "platform/toolkit/MessageBox.h"

namespace control_testing {

// The rights of a user that records each function code asked, and each answer given.
class CountingRights : public rights::UserRights {
public:
    explicit CountingRights(std::int32_t level = 2) : level_(level) {}

    component::Ref<rights::FunctionRights> GetFunctionRights(std::string& functionCode) override {
        codes.push_back(functionCode);
        auto answer = std::make_shared<rights::FunctionRights>(level_);
        answers.push_back(answer);
        return answer;
    }

    std::vector<std::string> codes;
    std::vector<std::weak_ptr<rights::FunctionRights>> answers;

private:
    std::int32_t level_;
};

// Records every message box asked, and answers each with its first button.
class RecordedMessages : public toolkit::MessageService {
public:
    toolkit::MsgAnswer ask(const toolkit::MessageRequest& request) override {
        asked.push_back(request);
        return request.buttons == toolkit::MsgButtons::Ok ? toolkit::MsgAnswer::Ok
                                                          : toolkit::MsgAnswer::Yes;
    }

    std::vector<toolkit::MessageRequest> asked;
};

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

    // A database holding the control's three files, empty.
    mvdb::Database databaseWithFiles() {
        mvdb::Database database = mvdb::Database::Create(path());
        for (const char* file : {"ASSOCIATION", "RUBSAISIE", "TPSPARAMBASCUL"})
            database.CreateFile(file);
        return database;
    }

    // Hands the control the database, a client and rights of that level, as a host does.
    void handIn(const mvdb::Database& database, std::int32_t level = 2) {
        control.TheDatabase(std::make_shared<mvdb::Database>(database));
        control.TheClient(std::make_shared<mvdb::DbClient>("marie", database.Path()));
        control.DroitsUtilisateur(rightsOfLevel(level));
    }

    // Entities given as code and name, in the order given.
    static void putEntities(const mvdb::Database& database,
                            const std::vector<std::pair<std::string, std::string>>& entities) {
        for (const auto& [code, name] : entities)
            put(database, "ASSOCIATION", code, name + "^12 rue des Tisserands");
    }

    Ctr_Ostrevan control;
    RecordedMessages messages;

private:
    static void emptyModule() {
        Mod_Var::gClient.reset();
        Mod_Var::gDatabase.reset();
        Mod_Var::gFicRubSaisie.reset();
        Mod_Var::gFicParam.reset();
    }
};

// The texts of a combo box's or list box's items, in order.
template <class List>
std::vector<std::string> itemTexts(const List& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.ListCount(); ++i)
        texts.push_back(list.List(i));
    return texts;
}

}  // namespace control_testing
