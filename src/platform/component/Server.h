// The in-process component server: what a component library offers the runtime through its entry
// points, and the runtime's side of each, so that a library's entry points only hand over.
//
// A library describes itself once (ServerDescription: its type library and, for each creatable
// class, how to make an instance), in a description that lives as long as the library, and
// defines five entry points with C linkage: the four of an in-process server, each calling the
// serve... function of the same name with that description, and the fifth answering the
// description's type library:
//
//   extern "C" std::int32_t ostrevan_register_server();    // serveRegister(description, address)
//   extern "C" std::int32_t ostrevan_unregister_server();  // serveUnregister(description, address)
//   extern "C" std::int32_t ostrevan_get_class_factory(const char* classId,
//                                                      ClassFactory** factory);
//   extern "C" std::int32_t ostrevan_can_unload_now();
//   extern "C" const TypeLibrary* ostrevan_type_library();
//
// and, for a library that carries images (the bitmap under which a design environment lists a
// control, for one), a sixth that the runtime asks only for an image:
//
//   extern "C" std::int32_t ostrevan_get_image(std::int32_t number, const char** bytes,
//                                              std::size_t* size);  // serveImage(description, ...)
//
// where address is that of one of the library's own functions, from which the library's file is
// found. Each answers 0 on success, or the failure's number (ComponentErrors.h), whose text the
// runtime then takes with takeServerError():
// - Registering writes every class of the description (identity, name, type library, file
//   version, and the library's own absolute path) into the registry file, in place of earlier
//   entries of the same identity or name. Unregistering removes the entries of the description's
//   class identities that name this library's file; an entry that another copy of the library
//   wrote since stays. Both may be repeated. Failures: kErrRegistry (Registry.h: the file is left
//   as it was), kErrCannotLoadLibrary when the library's file cannot be found from the address.
// - The class factory of a class identity makes instances through the description's Factory and
//   follows them while they live; it lasts as long as the description. A class identity that the
//   description lacks fails with kErrCannotLoadLibrary. CreateInstance fails as the Factory does.
// - Can-unload answers 0 when no object that the library made still lives, 1 otherwise.
// - The image of a resource number points bytes and size at the image's BMP file, which lives as
//   long as the description; a number that the description lacks fails with kErrNoSuchImage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/component/Runtime.h"
#include "platform/component/TypeInfo.h"

namespace component {

class ClassFactory {
public:
    virtual ~ClassFactory() = default;
    virtual ObjectRef CreateInstance() = 0;
};

struct ServedClass {
    const ClassInfo* info;
    Factory create;
};

// An image that the library carries under a resource number: the bytes of a BMP file.
struct ServedImage {
    std::int32_t number;
    std::string bmp;
};

// The runtime's bookkeeping for one description: its class factories and the objects they made.
struct ServerState;

struct ServerDescription {
    const TypeLibrary* typeLibrary;
    std::vector<ServedClass> classes;
    std::vector<ServedImage> images = {};
    std::shared_ptr<ServerState> state =
        {};  // kept by the serve... functions, never by the library
};

// The entry points' names, as the runtime looks them up.
inline constexpr const char* kRegisterEntry = "ostrevan_register_server";
inline constexpr const char* kUnregisterEntry = "ostrevan_unregister_server";
inline constexpr const char* kClassFactoryEntry = "ostrevan_get_class_factory";
inline constexpr const char* kCanUnloadEntry = "ostrevan_can_unload_now";
inline constexpr const char* kTypeLibraryEntry = "ostrevan_type_library";
inline constexpr const char* kImageEntry = "ostrevan_get_image";

// entryPoint: the address of one of the library's own functions, to find its file.
std::int32_t serveRegister(const ServerDescription& server, const void* entryPoint);
std::int32_t serveUnregister(const ServerDescription& server, const void* entryPoint);
std::int32_t serveClassFactory(ServerDescription& server, const char* classId,
                               ClassFactory** factory);
std::int32_t serveCanUnload(const ServerDescription& server);
std::int32_t serveImage(const ServerDescription& server, std::int32_t number, const char** bytes,
                        std::size_t* size);

// The text of the last failure that a serve... function answered, taken once; "" when none.
std::string takeServerError();

}  // namespace component
