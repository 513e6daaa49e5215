// Every way the rights component can fail.
//
// Each failure is a platform::ComponentError carrying one of these numbers and a French text.
// A failed call changes no configured level.
#pragma once

#include <cstdint>

#include "platform/ComponentError.h"

namespace rights {

// A function code that is empty: no right can be asked for, or configured on, no function.
inline constexpr std::int32_t kErrNoFunctionCode = static_cast<std::int32_t>(0x80040501);

}  // namespace rights
