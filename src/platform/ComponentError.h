// The one kind of failure that the platform components raise.
//
// Every component (database, widgets, component runtime, rights, help) reports a failure by
// throwing a ComponentError carrying one of the component's error numbers (its *Errors.h or
// *Error.h header) and a text for the user; a caller tells the failures apart by their numbers.
// The control lets these pass; the host catches them, shows the text and goes on. Numbers are
// 32-bit, in the 0x8004xxxx range of interface errors.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

class ComponentError : public std::runtime_error {
public:
    ComponentError(std::int32_t number, const std::string& text)
        : std::runtime_error(text), number_(number) {}

    std::int32_t number() const noexcept { return number_; }

private:
    std::int32_t number_;
};

}  // namespace platform
