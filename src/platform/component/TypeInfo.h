// Type information: what a component library declares of its classes and their interfaces, for a
// host that creates and drives them through the runtime.
//
// A type library names its classes and interfaces; an interface lists its members in the order of
// their slots, each with its dispatch identity, its kind, its type and its parameters. Identities
// of libraries, classes and interfaces are texts of the form {8-4-4-4-12 hexadecimal digits}.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace component {

using DispatchId = std::int32_t;

// How a member may be used: a public variable is read and written, a let property only written,
// a get property only read, a method only called.
enum class MemberKind { Variable, PropertyLet, PropertyGet, Method };

struct ParamInfo {
    std::string name = {};
    std::string type = {};
    bool byReference = false;
};

struct MemberInfo {
    DispatchId id = 0;
    std::string name = {};
    MemberKind kind = MemberKind::Method;
    std::string type = {};  // the value's type; "" for a method without result
    std::vector<ParamInfo> params = {};
};

struct InterfaceInfo {
    std::string name = {};
    std::string id = {};
    bool dual = false;
    bool hidden = false;
    std::vector<MemberInfo> members = {};

    // The member of that identity; nullptr when there is none.
    const MemberInfo* find(DispatchId id) const;
};

struct ClassInfo {
    std::string name = {};    // Ctr_Ostrevan
    std::string progId = {};  // the name a host creates it by: Library.Class
    std::string id = {};
    bool control = false;
    std::string defaultInterface = {};
    std::string sourceInterface = {};  // the interface of its events; "" when it has none
};

struct TypeLibrary {
    std::string name = {};
    std::string id = {};
    int majorVersion = 1;
    int minorVersion = 0;
    std::int32_t locale = 0;
    std::string fileVersion = {};  // of the library file: 1.0.0.14
    std::vector<ClassInfo> classes = {};
    std::vector<InterfaceInfo> interfaces = {};
};

// An identity as type information prints it: 0x60030003.
std::string idText(std::int32_t id);

// An error as a host shows it to the user: its text, then its number when it carries one.
std::string errorReport(const std::exception& error);

// The library as text, one line a class, interface and member, as the type tool prints it.
std::string describe(const TypeLibrary& library);

}  // namespace component
