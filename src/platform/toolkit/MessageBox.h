// Modal message boxes, shown by a service that the host provides.
//
// The program asks through Surface::MsgBox and waits for the answer: the service shows the box
// (the Qt one as a dialog, the headless one from its script) and answers with one of the box's
// own buttons. A box closed without a choice answers Cancel when it has that button, OK when it is
// an OK box; a Yes/No box cannot be closed so.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

enum class MsgIcon { None, Exclamation, Question };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    std::string text;
    std::string title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 0;  // from 0, in the order of the buttons' names
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer ask(const MessageRequest& request) = 0;
};

// Whether a box with these buttons has a button giving this answer.
bool offers(MsgButtons buttons, MsgAnswer answer);

// The answer's name, as messages print it: "OK", "Yes", "No", "Cancel".
std::string_view answerName(MsgAnswer answer);

}  // namespace toolkit
