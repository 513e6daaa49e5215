// Dispatch by dispatch identity: how a host drives an object that it knows only by its type
// information.
//
// invoke(id, kind, arguments) runs one member: a method call, a property get, or a property put
// (let), whose one argument is the value written. Arguments passed by reference may be changed by
// the member. Failures, checked before the member runs: an identity the interface lacks
// (kErrUnknownMember), a kind the member does not allow (kErrWrongInvokeKind: reading a write-only
// property, writing a method), a wrong number of arguments (kErrArgumentCount); the member itself
// fails with kErrTypeMismatch on an argument of the wrong type.
//
// DispatchTable keeps, for one class, each member's type information beside its code, so that
// what an interface declares and what its invoke does come from one table.
#pragma once

#include <functional>
#include <vector>

#include "platform/component/TypeInfo.h"
#include "platform/component/Variant.h"

namespace component {

enum class InvokeKind { Method, PropertyGet, PropertyPut };

class Dispatchable : public Object {
public:
    virtual const InterfaceInfo& interfaceInfo() const = 0;
    virtual Variant invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& arguments) = 0;
};

// Fails as invoke must when the member cannot be invoked so with that many arguments.
void checkInvocation(const MemberInfo* member, DispatchId id, InvokeKind kind,
                     std::size_t argumentCount);

template <class T>
class DispatchTable {
public:
    struct Member {
        MemberInfo info;
        std::function<Variant(T&)> get = {};                       // variable, get property
        std::function<void(T&, const Variant&)> put = {};          // variable, let property
        std::function<void(T&, std::vector<Variant>&)> call = {};  // method
    };

    DispatchTable(InterfaceInfo interface, std::vector<Member> members)
        : interface_(std::move(interface)), members_(std::move(members)) {
        for (const Member& member : members_)
            interface_.members.push_back(member.info);
    }

    const InterfaceInfo& interfaceInfo() const { return interface_; }

    Variant invoke(T& object, DispatchId id, InvokeKind kind,
                   std::vector<Variant>& arguments) const {
        const Member* member = find(id);
        checkInvocation(member ? &member->info : nullptr, id, kind, arguments.size());
        switch (kind) {
            case InvokeKind::PropertyGet:
                return member->get(object);
            case InvokeKind::PropertyPut:
                member->put(object, arguments.front());
                break;
            case InvokeKind::Method:
                member->call(object, arguments);
                break;
        }
        return Empty{};
    }

private:
    const Member* find(DispatchId id) const {
        for (const Member& member : members_)
            if (member.info.id == id) return &member;
        return nullptr;
    }

    InterfaceInfo interface_;
    std::vector<Member> members_;
};

}  // namespace component
