#include "platform/rights/Rights.h"

#include <memory>

#include "platform/rights/RightsErrors.h"

namespace rights {

namespace {

void requireCode(const std::string& functionCode) {
    if (functionCode.empty())
        throw platform::ComponentError(kErrNoFunctionCode,
                                       "Droits : le code de fonction est vide.");
}

}  // namespace

FunctionRights::~FunctionRights() = default;

std::int32_t FunctionRights::AccessLevel() const {
    return level_;
}

UserRights::~UserRights() = default;

void ConfiguredRights::setLevel(const std::string& functionCode, std::int32_t level) {
    requireCode(functionCode);
    levels_[functionCode] = level;
}

component::Ref<FunctionRights> ConfiguredRights::GetFunctionRights(std::string& functionCode) {
    requireCode(functionCode);
    const auto configured = levels_.find(functionCode);
    const std::int32_t level = configured == levels_.end() ? otherLevel_ : configured->second;
    return std::make_shared<FunctionRights>(level);
}

}  // namespace rights
