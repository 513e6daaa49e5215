// Variant: a value as dispatched members take and give it.
//
// A variant is empty, a text, a 32-bit whole number, a Boolean (16 bits: True is -1, False 0) or
// an object (possibly nothing). The as... readers take a variant as one type: a whole number reads
// as a Boolean (non-zero is True), a Boolean as a whole number, and an empty variant as nothing;
// any other type fails with kErrTypeMismatch, naming the type expected and the type given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/component/Object.h"

namespace component {

struct Empty {
    bool operator==(const Empty&) const = default;
};

struct Boolean {
    std::int16_t value = 0;
    bool operator==(const Boolean&) const = default;
    explicit operator bool() const { return value != 0; }
};

inline constexpr Boolean kTrue{-1};
inline constexpr Boolean kFalse{0};
constexpr Boolean toBoolean(bool value) {
    return value ? kTrue : kFalse;
}

using Variant = std::variant<Empty, std::string, std::int32_t, Boolean, ObjectRef>;

// The type's name, as type information and errors print it: "Empty", "String", "Long",
// "Boolean", "Object".
std::string_view typeName(const Variant& value);

Boolean asBoolean(const Variant& value);
std::int32_t asLong(const Variant& value);
const std::string& asText(const Variant& value);
ObjectRef asObject(const Variant& value);

// The value of an object argument taken as the interface T (see as() in Object.h).
template <class T>
Ref<T> asObject(const Variant& value, std::string_view interfaceName) {
    return as<T>(asObject(value), interfaceName);
}

}  // namespace component
