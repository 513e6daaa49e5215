// Helpers shared by the widget model tests.
#pragma once

#include <functional>

#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

// The number of the ToolkitError that the call throws; 0 when it throws none.
inline int errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const ToolkitError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace toolkit
