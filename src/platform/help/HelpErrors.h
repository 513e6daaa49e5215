// Every way the help component can fail.
//
// Each failure is a platform::ComponentError carrying one of these numbers and a French text that
// names the page and the help folder. A failed ShowHelp leaves the window as it was.
#pragma once

#include <cstdint>

#include "platform/ComponentError.h"

namespace help {

// The help folder holds no page of that name.
inline constexpr std::int32_t kErrNoSuchPage = static_cast<std::int32_t>(0x80040601);
// A page name that is empty, absolute, or climbs out of the help folder with "..".
inline constexpr std::int32_t kErrBadPageName = static_cast<std::int32_t>(0x80040602);

}  // namespace help
