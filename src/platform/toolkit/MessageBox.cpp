#include "platform/toolkit/MessageBox.h"

namespace toolkit {

bool offers(MsgButtons buttons, MsgAnswer answer) {
    switch (buttons) {
        case MsgButtons::Ok:
            return answer == MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
        case MsgButtons::YesNoCancel:
            return answer != MsgAnswer::Ok;
    }
    return false;
}

std::string_view iconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return "None";
        case MsgIcon::Exclamation:
            return "Exclamation";
        case MsgIcon::Question:
            return "Question";
    }
    return "";
}

std::string_view buttonsName(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return "OK";
        case MsgButtons::YesNo:
            return "YesNo";
        case MsgButtons::YesNoCancel:
            return "YesNoCancel";
    }
    return "";
}

std::string_view answerName(MsgAnswer answer) {
    switch (answer) {
        case MsgAnswer::Ok:
            return "OK";
        case MsgAnswer::Yes:
            return "Yes";
        case MsgAnswer::No:
            return "No";
        case MsgAnswer::Cancel:
            return "Cancel";
    }
    return "";
}

}  // namespace toolkit
