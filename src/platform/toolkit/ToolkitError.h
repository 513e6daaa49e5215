// Every way the widget toolkit can fail.
//
// Every toolkit operation that can fail throws a platform::ComponentError carrying one of these
// numbers and a French text; it reaches the host, which shows the text and goes on.
#pragma once

#include <cstdint>

#include "platform/ComponentError.h"

namespace toolkit {

// A property or method that this kind of widget does not have (set or called by name).
inline constexpr std::int32_t kErrNoSuchMember = static_cast<std::int32_t>(0x80040301);
// SetFocus on a widget that is disabled, invisible, inside a disabled or invisible container, or
// of a kind that never takes the focus.
inline constexpr std::int32_t kErrCannotFocus = static_cast<std::int32_t>(0x80040302);
// An item index outside the list (ListIndex, List, ItemData, RemoveItem).
inline constexpr std::int32_t kErrBadItemIndex = static_cast<std::int32_t>(0x80040303);
// A user action on a widget that cannot take it: disabled, invisible or inside a disabled or
// invisible container, or a menu entry of a menu that is not shown.
inline constexpr std::int32_t kErrActionRefused = static_cast<std::int32_t>(0x80040304);
// A message box asked while the host provides no way to show one, or answered with a button that
// the box does not have.
inline constexpr std::int32_t kErrMessageBox = static_cast<std::int32_t>(0x80040305);

}  // namespace toolkit
