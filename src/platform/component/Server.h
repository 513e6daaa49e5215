// The in-process component server: what a component library offers the runtime through its four
// entry points, and the runtime's side of each, so that a library's entry points only hand over.
//
// A library describes itself once (ServerDescription: its type library and, for each creatable
// class, how to make an instance) and defines the four entry points with C linkage, each calling
// the serve... function of the same name with that description:
//
//   extern "C" std::int32_t ostrevan_register_server();
//   extern "C" std::int32_t ostrevan_unregister_server();
//   extern "C" std::int32_t ostrevan_get_class_factory(const char* classId, ClassFactory**
//   factory); extern "C" std::int32_t ostrevan_can_unload_now(); extern "C" const TypeLibrary*
//   ostrevan_type_library();   // the library's type information
//
// Each answers 0 on success, or the failure's number, whose text the runtime then takes with
// takeServerError(); can-unload answers 0 when no object that the library made still lives, 1
// otherwise. Registering writes every class (identity, name, the library's own path, found from
// the address of its entry point) into the registry file; unregistering removes the classes whose
// library is this one.
#pragma once

#include <cstdint>
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

struct ServerDescription {
    const TypeLibrary* typeLibrary;
    std::vector<ServedClass> classes;
};

// The entry points' names, as the runtime looks them up.
inline constexpr const char* kRegisterEntry = "ostrevan_register_server";
inline constexpr const char* kUnregisterEntry = "ostrevan_unregister_server";
inline constexpr const char* kClassFactoryEntry = "ostrevan_get_class_factory";
inline constexpr const char* kCanUnloadEntry = "ostrevan_can_unload_now";
inline constexpr const char* kTypeLibraryEntry = "ostrevan_type_library";

// entryPoint: the address of one of the library's own entry points, to find its file.
std::int32_t serveRegister(const ServerDescription& server, const void* entryPoint);
std::int32_t serveUnregister(const ServerDescription& server, const void* entryPoint);
std::int32_t serveClassFactory(ServerDescription& server, const char* classId,
                               ClassFactory** factory);
std::int32_t serveCanUnload(const ServerDescription& server);

// The text of the last failure that a serve... function answered, taken once.
std::string takeServerError();

}  // namespace component
