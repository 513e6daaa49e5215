// Every way the component runtime can fail, beside the numbers' one exception type.
//
// Each failure is a platform::ComponentError carrying one of these numbers and a French text that
// names what failed (the class, the library, the member, the registry file).
#pragma once

#include <cstdint>

#include "platform/ComponentError.h"

namespace component {

// No class of that identity or name is registered, in the process or in the registry file.
inline constexpr std::int32_t kErrClassNotRegistered = static_cast<std::int32_t>(0x80040401);
// The registered library cannot be loaded, lacks an entry point, or does not serve the class.
inline constexpr std::int32_t kErrCannotLoadLibrary = static_cast<std::int32_t>(0x80040402);
// The registry file cannot be read (it is damaged) or written; it is left as it was.
inline constexpr std::int32_t kErrRegistry = static_cast<std::int32_t>(0x80040403);
// A dispatch identity that the object's interface does not have.
inline constexpr std::int32_t kErrUnknownMember = static_cast<std::int32_t>(0x80040404);
// A member invoked in a way it does not allow: reading a write-only property, writing a method.
inline constexpr std::int32_t kErrWrongInvokeKind = static_cast<std::int32_t>(0x80040405);
// A call with more or fewer arguments than the member takes.
inline constexpr std::int32_t kErrArgumentCount = static_cast<std::int32_t>(0x80040406);
// A value of the wrong type: a text where an object is expected, an object of another interface.
inline constexpr std::int32_t kErrTypeMismatch = static_cast<std::int32_t>(0x80040407);
// An object variable used while it holds no object.
inline constexpr std::int32_t kErrObjectNotSet = static_cast<std::int32_t>(0x80040408);
// A component library carries no image of the resource number asked.
inline constexpr std::int32_t kErrNoSuchImage = static_cast<std::int32_t>(0x80040409);

}  // namespace component
