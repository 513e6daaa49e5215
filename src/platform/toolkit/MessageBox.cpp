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
