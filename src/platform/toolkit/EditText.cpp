#include "platform/toolkit/EditText.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace toolkit {

std::size_t EditText::characterCount() const {
    return platform::characterCount(text_);
}

bool EditText::assign(std::string_view text) {
    if (text == text_) return false;
    text_ = text;
    selStart_ = selLength_ = 0;
    return true;
}

void EditText::select(std::size_t start, std::size_t length) {
    const std::size_t count = characterCount();
    selStart_ = std::min(start, count);
    selLength_ = std::min(length, count - selStart_);
}

void EditText::selectEnd() {
    select(characterCount(), 0);
}

bool EditText::insert(std::string_view characters) {
    std::size_t count = platform::characterCount(characters);
    if (maxLength_ != 0) {
        const std::size_t kept = characterCount() - selLength_;
        count = std::min(count, maxLength_ > kept ? maxLength_ - kept : 0);
        if (count == 0) return false;
    }
    return replaceSelection(characters.substr(0, platform::byteOffset(characters, count)), count);
}

bool EditText::backspace() {
    if (selLength_ == 0) {
        if (selStart_ == 0) return false;
        select(selStart_ - 1, 1);
    }
    return replaceSelection({}, 0);
}

bool EditText::deleteForward() {
    if (selLength_ == 0) select(selStart_, 1);
    return replaceSelection({}, 0);
}

bool EditText::replaceSelection(std::string_view characters, std::size_t count) {
    const std::size_t from = platform::byteOffset(text_, selStart_);
    const std::size_t to =
        from + platform::byteOffset(std::string_view(text_).substr(from), selLength_);
    const bool changed = std::string_view(text_).substr(from, to - from) != characters;
    text_.replace(from, to - from, characters);
    selStart_ += count;
    selLength_ = 0;
    return changed;
}

}  // namespace toolkit
