// What the control's tests share: a database of their own, the module state emptied around each
// test (it outlives every instance), rights objects that count the questions, and dispatch calls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "control/Ctr_Ostrevan.h"
#include "control/Mod_Var.h"
#include "mvdb/TestDatabase.h"
#include "platform/rights/Rights.h"

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

class ControlTest : public mvdb::testing::TestDatabase {
protected:
    ControlTest() { emptyModule(); }
    ~ControlTest() override { emptyModule(); }

    // A database holding the two files that the control opens (and the entity file).
    mvdb::Database databaseWithFiles() {
        mvdb::Database database = mvdb::Database::Create(path());
        for (const char* file : {"ASSOCIATION", "RUBSAISIE", "TPSPARAMBASCUL"})
            database.CreateFile(file);
        return database;
    }

    static component::Variant invoke(Ctr_Ostrevan& control, component::DispatchId id,
                                     component::InvokeKind kind,
                                     std::vector<component::Variant> arguments = {}) {
        return control.invoke(id, kind, arguments);
    }
    static void put(Ctr_Ostrevan& control, component::DispatchId id, component::Variant value) {
        invoke(control, id, component::InvokeKind::PropertyPut, {std::move(value)});
    }

private:
    static void emptyModule() {
        Mod_Var::gClient.reset();
        Mod_Var::gDatabase.reset();
        Mod_Var::gFicRubSaisie.reset();
        Mod_Var::gFicParam.reset();
    }
};

// Runs call and answers the number of the ComponentError it throws, or 0 when it throws none.
template <class Call>
std::int32_t errorNumberOf(Call&& call) {
    try {
        call();
    } catch (const platform::ComponentError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace control_testing
