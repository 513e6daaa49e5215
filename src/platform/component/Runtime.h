// The component runtime of the process: creation of objects by class identity or name, from the
// classes that the process registers itself and from the libraries of the registry file.
//
// - createObject(classIdOrName) looks the class up first among the process's own classes, then in
//   the registry file (Registry.h), loads its library once (it stays loaded until
//   freeUnusedLibraries finds none of its objects alive), asks the library's class factory for an
//   instance and answers it. Failures: kErrClassNotRegistered when no class has that identity or
//   name; kErrCannotLoadLibrary when the registered library is missing, is not a component
//   library (it lacks an entry point of Server.h), or does not serve the class; kErrRegistry when
//   the registry file is damaged; whatever the class's own factory raises.
// - registerLibrary(path) / unregisterLibrary(path) load a component library and run its own
//   register or unregister entry point, which writes or removes its classes in the registry file.
//   Both can be repeated; a failure (kErrCannotLoadLibrary, or the number that the entry point
//   answers, with its text) leaves the registry file as it was.
// - typeLibraryOf(path) loads a component library and answers a copy of its type information.
// - imageOf(path, number) loads a component library and answers the image that it carries under
//   that resource number, as the bytes of a BMP file. Failures: kErrCannotLoadLibrary as above;
//   kErrNoSuchImage when the library carries no image of that number.
// - ClassRegistration makes a class of the process creatable while the registration lives; the
//   latest registration of an identity or name wins.
// A relative library path given to these functions is taken from the current folder; one in the
// registry file, from the registry file's folder (Registry.h). One thread at a time uses the
// runtime: the host's user-interface thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/component/Object.h"
#include "platform/component/TypeInfo.h"

namespace component {

using Factory = std::function<ObjectRef()>;

ObjectRef createObject(std::string_view classIdOrName);

void registerLibrary(const std::string& path);
void unregisterLibrary(const std::string& path);
TypeLibrary typeLibraryOf(const std::string& path);
std::string imageOf(const std::string& path, std::int32_t number);

// Releases the libraries whose can-unload entry point says that none of their objects lives.
void freeUnusedLibraries();

// A class of the process, creatable through createObject while this registration lives.
class ClassRegistration {
public:
    ClassRegistration(ClassInfo info, Factory factory);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;
};

}  // namespace component
