// The screen's message boxes. Each keeps its own title: "Message QUORVEL" for the screen's, and
// "Message Quorvel" for the three of the line editor.
#pragma once

#include <string>
#include <utility>

#include "platform/toolkit/MessageBox.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"

namespace messages {

inline const std::string kTitreEcran = "Message QUORVEL";
inline const std::string kTitreEditeur = "Message Quorvel";

// A warning or a refusal: an exclamation icon and a single OK button.
inline toolkit::MessageRequest avertissement(std::string texte,
                                             const std::string& titre = kTitreEcran) {
    return {std::move(texte), titre, toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok};
}

// A question of the line editor, answered Yes or No, Yes by default.
inline toolkit::MessageRequest confirmation(std::string texte, toolkit::MsgIcon icone) {
    return {std::move(texte), kTitreEditeur, icone, toolkit::MsgButtons::YesNo};
}

// Tells the user why the code in a code box is refused, then empties the box (whose Change then
// runs) and gives it the focus.
inline void refuseCode(toolkit::Surface& surface, toolkit::TextBox& box, std::string message) {
    surface.MsgBox(avertissement(std::move(message)));
    box.SetText("");
    box.SetFocus();
}

}  // namespace messages
