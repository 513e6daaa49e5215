// The screen's message boxes. Each keeps its own title: "Message QUORVEL" for the screen's, and
// "Message Quorvel" for the three of the line editor.
#pragma once

#include <string>
#include <utility>

#include "platform/toolkit/MessageBox.h"

namespace messages {

inline const std::string kTitreEcran = "Message QUORVEL";
inline const std::string kTitreEditeur = "Message Quorvel";

// A warning or a refusal: an exclamation icon and a single OK button.
inline toolkit::MessageRequest avertissement(std::string texte,
                                             const std::string& titre = kTitreEcran) {
    return {std::move(texte), titre, toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok};
}

}  // namespace messages
