#include "platform/component/TypeInfo.h"

#include <algorithm>
#include <cstdio>

#include "platform/ComponentError.h"

namespace component {

namespace {

std::string kindName(MemberKind kind) {
    switch (kind) {
        case MemberKind::Variable:
            return "variable";
        case MemberKind::PropertyLet:
            return "let";
        case MemberKind::PropertyGet:
            return "get";
        case MemberKind::Method:
            return "method";
    }
    return "";
}

std::string describe(const MemberInfo& member) {
    std::string line = "  " + idText(member.id) + " " + kindName(member.kind) + " " + member.name;
    if (member.kind != MemberKind::Variable) {
        line += "(";
        for (const ParamInfo& param : member.params) {
            if (&param != &member.params.front()) line += ", ";
            line += (param.byReference ? "byref " : "byval ") + param.name + ": " + param.type;
        }
        line += ")";
    }
    if (!member.type.empty() && member.kind != MemberKind::PropertyLet) line += ": " + member.type;
    return line + "\n";
}

std::string describe(const InterfaceInfo& interface) {
    std::string text = "interface " + interface.name + " " + interface.id;
    if (interface.dual) text += " dual";
    if (interface.hidden) text += " hidden";
    text += "\n";
    for (const MemberInfo& member : interface.members)
        text += describe(member);
    if (interface.members.empty()) text += "  (no members)\n";
    return text;
}

std::string describe(const ClassInfo& info) {
    std::string text = "class " + info.name + " " + info.id + " progid " + info.progId;
    if (info.control) text += " control";
    text += " default " + info.defaultInterface;
    if (!info.sourceInterface.empty()) text += " source " + info.sourceInterface;
    return text + "\n";
}

}  // namespace

std::string idText(std::int32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<std::uint32_t>(id));
    return text;
}

std::string errorReport(const std::exception& error) {
    std::string text = error.what();
    if (const auto* numbered = dynamic_cast<const platform::ComponentError*>(&error))
        text += "\n\nErreur n° " + idText(numbered->number());
    return text;
}

const MemberInfo* InterfaceInfo::find(DispatchId id) const {
    auto found = std::find_if(members.begin(), members.end(),
                              [id](const MemberInfo& member) { return member.id == id; });
    return found == members.end() ? nullptr : &*found;
}

std::string describe(const TypeLibrary& library) {
    std::string text = "library " + library.name + " " + library.id + " version " +
                       std::to_string(library.majorVersion) + "." +
                       std::to_string(library.minorVersion) + " locale " + idText(library.locale) +
                       " file " + library.fileVersion + "\n";
    for (const ClassInfo& info : library.classes)
        text += describe(info);
    for (const InterfaceInfo& interface : library.interfaces)
        text += describe(interface);
    return text;
}

}  // namespace component
