// A control array: widgets that share one name and are told apart by their indexes, which need
// not start at 0 nor be contiguous. An index without a widget throws kErrBadItemIndex.
#pragma once

#include <map>
#include <string>

#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

template <class T>
class ControlArray {
public:
    void add(T& control) { elements_.emplace(control.Index(), &control); }

    T& operator()(int index) const {
        const auto found = elements_.find(index);
        if (found == elements_.end()) {
            throw platform::ComponentError(
                kErrBadItemIndex,
                "Aucun élément d'index " + std::to_string(index) + " dans le groupe.");
        }
        return *found->second;
    }

private:
    std::map<int, T*> elements_;
};

}  // namespace toolkit
