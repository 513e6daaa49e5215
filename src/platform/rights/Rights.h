// The rights component: what a user may do in each function of the application.
//
// - FunctionRights: the rights of one user in one function, answered by UserRights. Its
//   AccessLevel is a 32-bit level, which the function's screen interprets: kNoRight (0) is no
//   right at all; the settings screen lets the user change its parameters at 2 only and is
//   read-only at any other level.
//   A FunctionRights keeps the level it was made with; a later change of the configuration does
//   not reach it, the caller asks again.
// - UserRights: the rights of one user, asked function by function by a function code (a text
//   such as "PARAMINTEGRGENE", compared byte for byte).
// - ConfiguredRights: the UserRights that a host configures: a level per function code, and one
//   level for every other code, kNoRight unless told otherwise.
// Failures (RightsErrors.h): an empty function code, asked or configured, fails with
// kErrNoFunctionCode and changes nothing.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/component/Object.h"

namespace rights {

inline constexpr std::int32_t kNoRight = 0;

class FunctionRights : public component::Object {
public:
    explicit FunctionRights(std::int32_t level = kNoRight) : level_(level) {}
    ~FunctionRights() override;

    virtual std::int32_t AccessLevel() const;

private:
    std::int32_t level_;
};

class UserRights : public component::Object {
public:
    ~UserRights() override;

    // The code is passed by reference, as the control passes it; it is never changed.
    virtual component::Ref<FunctionRights> GetFunctionRights(std::string& functionCode) = 0;
};

class ConfiguredRights : public UserRights {
public:
    explicit ConfiguredRights(std::int32_t otherLevel = kNoRight) : otherLevel_(otherLevel) {}

    // The level answered for this code from now on, replacing any earlier one.
    void setLevel(const std::string& functionCode, std::int32_t level);
    // A new FunctionRights holding the level configured now for the code.
    component::Ref<FunctionRights> GetFunctionRights(std::string& functionCode) override;

private:
    std::map<std::string, std::int32_t> levels_;
    const std::int32_t otherLevel_;  // for every code that has none of its own
};

}  // namespace rights
