#include "platform/qt/UserInput.h"

#include <QtGlobal>

namespace qtview {

UserInput::UserInput(toolkit::Surface& surface, std::function<void()> showFocus)
    : surface_(surface), user_(surface), showFocus_(std::move(showFocus)) {}

void UserInput::perform(const Action& action) {
    ++performing_;
    try {
        action(user_);
    } catch (const std::exception& error) {
        if (errorHandler_) {
            errorHandler_(error);
        } else {
            qWarning("%s", error.what());
        }
    }
    --performing_;
    if (showFocus_) showFocus_();
}

}  // namespace qtview
