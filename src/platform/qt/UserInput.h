// The one way the views of a surface act on its models: every action of the user, from any view,
// runs here through the surface's single toolkit::User.
//
// An action never lets an exception out into Qt's event loop: what it throws (a refused action, or
// a handler's error when the surface has no error handler) goes to this input's error handler, a
// warning on the console when none is set. After each action the focus is shown again, since the
// model, not Qt, decides where it is.
#pragma once

#include <exception>
#include <functional>

#include "platform/toolkit/User.h"

namespace toolkit {
class Surface;
}

namespace qtview {

class UserInput {
public:
    using Action = std::function<void(toolkit::User&)>;
    using ErrorHandler = std::function<void(const std::exception&)>;

    UserInput(toolkit::Surface& surface, std::function<void()> showFocus);

    toolkit::Surface& surface() const { return surface_; }
    void perform(const Action& action);
    // Whether an action is running now.
    bool performing() const { return performing_ > 0; }
    void setErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }

private:
    toolkit::Surface& surface_;
    toolkit::User user_;
    std::function<void()> showFocus_;
    ErrorHandler errorHandler_;
    int performing_ = 0;
};

}  // namespace qtview
