// Objects as the component runtime passes them: in variants, to dispatched members and between
// libraries.
//
// - Object is the base of everything that can be handed over as an object. Outside values that
//   are not Objects (a database handle, a client) travel inside a Boxed<T>. An object may have
//   other faces besides Object (the control is also its surface).
// - Ref<T> is an object variable: it holds an object or nothing, and using it while it holds
//   nothing fails with kErrObjectNotSet instead of crashing.
// - as<T>(object) takes an object as the interface T (a class that the object is, or the type of
//   a boxed value): nothing stays nothing, an object of another kind fails with kErrTypeMismatch.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/component/ComponentErrors.h"

namespace component {

class Object {
public:
    virtual ~Object() = default;
};

using ObjectRef = std::shared_ptr<Object>;

template <class T>
class Boxed final : public Object {
public:
    explicit Boxed(T held) : value(std::move(held)) {}
    T value;
};

template <class T>
ObjectRef box(T value) {
    return std::make_shared<Boxed<T>>(std::move(value));
}

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::shared_ptr<T> object) : object_(std::move(object)) {}

    T& operator*() const { return get(); }
    T* operator->() const { return &get(); }
    T& get() const {
        if (!object_)
            throw platform::ComponentError(kErrObjectNotSet, "Variable objet non définie");
        return *object_;
    }
    explicit operator bool() const { return object_ != nullptr; }
    const std::shared_ptr<T>& shared() const { return object_; }
    void reset() { object_.reset(); }

private:
    std::shared_ptr<T> object_;
};

template <class T>
Ref<T> as(const ObjectRef& object, std::string_view interfaceName) {
    if (!object) return {};
    std::shared_ptr<T> taken = std::dynamic_pointer_cast<T>(object);
    if constexpr (!std::is_base_of_v<Object, T>) {
        if (auto boxed = std::dynamic_pointer_cast<Boxed<T>>(object); !taken && boxed)
            taken = std::shared_ptr<T>(boxed, &boxed->value);
    }
    if (!taken)
        throw platform::ComponentError(
            kErrTypeMismatch,
            "Type incompatible : objet " + std::string(interfaceName) + " attendu");
    return taken;
}

}  // namespace component
