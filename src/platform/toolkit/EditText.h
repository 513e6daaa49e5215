// The editable text of a text box or of a combo box's text part: the text, the caret and the
// selected characters, and the edits a user's keys make.
//
// Positions and lengths count characters, never bytes: the text is UTF-8 and an edit never cuts a
// character in two. A maximum length (0 for none) limits what the user types or pastes, not what
// the program writes. Each edit answers whether the text changed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toolkit {

class EditText {
public:
    const std::string& text() const { return text_; }
    std::size_t selStart() const { return selStart_; }
    std::size_t selLength() const { return selLength_; }
    std::size_t maxLength() const { return maxLength_; }
    void setMaxLength(std::size_t maxLength) { maxLength_ = maxLength; }

    // The program's write: the whole text replaced, the caret put at the start; an unchanged text
    // keeps its caret.
    bool assign(std::string_view text);
    // Selects length characters from start, both cut to the text.
    void select(std::size_t start, std::size_t length);
    void selectEnd();

    // The user's edits, each at the caret or over the selection.
    bool insert(std::string_view characters);
    bool backspace();
    bool deleteForward();

private:
    std::size_t characterCount() const;
    bool replaceSelection(std::string_view characters, std::size_t count);

    std::string text_;
    std::size_t selStart_ = 0;
    std::size_t selLength_ = 0;
    std::size_t maxLength_ = 0;
};

}  // namespace toolkit
