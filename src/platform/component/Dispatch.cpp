#include "platform/component/Dispatch.h"

namespace component {

namespace {

bool allows(MemberKind member, InvokeKind kind) {
    switch (member) {
        case MemberKind::Variable:
            return kind != InvokeKind::Method;
        case MemberKind::PropertyLet:
            return kind == InvokeKind::PropertyPut;
        case MemberKind::PropertyGet:
            return kind == InvokeKind::PropertyGet;
        case MemberKind::Method:
            return kind == InvokeKind::Method;
    }
    return false;
}

std::string refusal(const MemberInfo& member, InvokeKind kind) {
    if (kind == InvokeKind::PropertyGet) return member.name + " ne peut pas être lu";
    if (kind == InvokeKind::PropertyPut) return member.name + " ne peut pas être écrit";
    return member.name + " n'est pas une méthode";
}

std::size_t argumentsTaken(const MemberInfo& member, InvokeKind kind) {
    if (kind == InvokeKind::PropertyPut) return 1;
    if (kind == InvokeKind::PropertyGet) return 0;
    return member.params.size();
}

}  // namespace

void checkInvocation(const MemberInfo* member, DispatchId id, InvokeKind kind,
                     std::size_t argumentCount) {
    using platform::ComponentError;
    if (!member) throw ComponentError(kErrUnknownMember, "Membre inconnu : " + idText(id));
    if (!allows(member->kind, kind))
        throw ComponentError(kErrWrongInvokeKind, refusal(*member, kind));
    const std::size_t taken = argumentsTaken(*member, kind);
    if (argumentCount != taken)
        throw ComponentError(kErrArgumentCount, member->name + " prend " + std::to_string(taken) +
                                                    " argument(s), " +
                                                    std::to_string(argumentCount) + " donné(s)");
}

}  // namespace component
