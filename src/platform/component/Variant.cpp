#include "platform/component/Variant.h"

#include <array>

namespace component {

namespace {

[[noreturn]] void mismatch(std::string_view expected, const Variant& given) {
    throw platform::ComponentError(kErrTypeMismatch,
                                   "Type incompatible : " + std::string(expected) + " attendu, " +
                                       std::string(typeName(given)) + " reçu");
}

}  // namespace

std::string_view typeName(const Variant& value) {
    static constexpr std::array<std::string_view, std::variant_size_v<Variant>> kNames = {
        "Empty", "String", "Long", "Boolean", "Object"};
    return kNames[value.index()];
}

Boolean asBoolean(const Variant& value) {
    if (const auto* boolean = std::get_if<Boolean>(&value)) return *boolean;
    if (const auto* number = std::get_if<std::int32_t>(&value)) return toBoolean(*number != 0);
    mismatch("Boolean", value);
}

std::int32_t asLong(const Variant& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
    if (const auto* boolean = std::get_if<Boolean>(&value)) return boolean->value;
    mismatch("Long", value);
}

const std::string& asText(const Variant& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    mismatch("String", value);
}

ObjectRef asObject(const Variant& value) {
    if (const auto* object = std::get_if<ObjectRef>(&value)) return *object;
    if (std::holds_alternative<Empty>(value)) return nullptr;
    mismatch("Object", value);
}

}  // namespace component
