#include "platform/mvdb/DynArray.h"

#include <algorithm>

#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"

namespace mvdb {
namespace {

void checkIndexes(int attribute, int value, int subvalue) {
    if (attribute < 0 || value < 0 || subvalue < 0) {
        throw platform::ComponentError(kErrBadIndex, "Indice négatif dans un tableau dynamique (" +
                                                         std::to_string(attribute) + ", " +
                                                         std::to_string(value) + ", " +
                                                         std::to_string(subvalue) + ").");
    }
}

void checkExtension(int index) {
    if (index > DynArray::kMaxIndex) {
        throw platform::ComponentError(
            kErrBadIndex, "Indice trop grand dans un tableau dynamique (" + std::to_string(index) +
                              ", au plus " + std::to_string(DynArray::kMaxIndex) + ").");
    }
}

// Every index that a Replace would extend the array to, checked before anything changes: a
// refused Replace leaves the array as it was. Indexes after a 0 are ignored.
void checkExtensions(int attribute, int value, int subvalue) {
    checkExtension(attribute);
    if (value == 0) return;
    checkExtension(value);
    checkExtension(subvalue);
}

// Whether text holds a mark of the given level or of a higher one (higher marks are larger bytes).
bool holdsMarkFrom(std::string_view text, char lowest) {
    return std::any_of(text.begin(), text.end(), [lowest](char c) {
        return isMark(c) && static_cast<unsigned char>(c) >= static_cast<unsigned char>(lowest);
    });
}

std::vector<std::string> valuesOf(std::string_view attributeText) {
    std::vector<std::string> values;
    for (std::string_view piece : splitPieces(attributeText, kValueMark))
        values.emplace_back(piece);
    return values;
}

}  // namespace

std::string DynArray::Extract() const {
    if (!textCurrent_) {
        std::size_t size = attributes_.empty() ? 0 : attributes_.size() - 1;
        for (const Attribute& attribute : attributes_) {
            size += attribute.size() - 1;
            for (const std::string& value : attribute)
                size += value.size();
        }
        text_.clear();
        text_.reserve(size);
        for (std::size_t a = 0; a < attributes_.size(); ++a) {
            if (a > 0) text_ += kAttributeMark;
            for (std::size_t v = 0; v < attributes_[a].size(); ++v) {
                if (v > 0) text_ += kValueMark;
                text_ += attributes_[a][v];
            }
        }
        textCurrent_ = true;
    }
    return text_;
}

std::string DynArray::Extract(int attribute, int value, int subvalue) const {
    checkIndexes(attribute, value, subvalue);
    if (attribute == 0) return Extract();
    if (!treeCurrent_) {
        std::string_view element;
        if (text_.size() <= kReadInPlace) {
            element = nthPiece(text_, kAttributeMark, attribute);
            if (value > 0) element = nthPiece(element, kValueMark, value);
        } else {
            element = indexed(static_cast<std::size_t>(attribute), static_cast<std::size_t>(value));
        }
        if (value > 0 && subvalue > 0) element = nthPiece(element, kSubvalueMark, subvalue);
        return std::string(element);
    }
    const auto& attributes = tree();
    if (static_cast<std::size_t>(attribute) > attributes.size()) return {};
    const Attribute& values = attributes[attribute - 1];
    if (value == 0) return joinPieces(values, kValueMark);
    if (static_cast<std::size_t>(value) > values.size()) return {};
    const std::string& text = values[value - 1];
    if (subvalue == 0) return text;
    return std::string(nthPiece(text, kSubvalueMark, subvalue));
}

void DynArray::Assign(std::string text) {
    text_ = std::move(text);
    textCurrent_ = true;
    attributes_.clear();
    treeCurrent_ = text_.empty();
    valueStarts_.clear();
    firstValues_.clear();
}

void DynArray::Assign(int attribute, std::string_view text) {
    Replace(attribute, 0, 0, text);
}

void DynArray::Replace(int attribute, int value, int subvalue, std::string_view text) {
    checkIndexes(attribute, value, subvalue);
    if (attribute == 0) return Assign(std::string(text));
    checkExtensions(attribute, value, subvalue);
    treeToChange();
    if (value == 0) return setAttribute(attribute - 1, text);
    if (subvalue == 0) return setValue(attribute - 1, value - 1, text);
    setSubvalue(attribute - 1, value - 1, subvalue - 1, text);
}

int DynArray::DCount() const {
    if (!treeCurrent_) {
        return static_cast<int>(std::count(text_.begin(), text_.end(), kAttributeMark)) + 1;
    }
    // One attribute holding one empty value has the text "", which has no attribute.
    if (attributes_.size() == 1 && attributes_[0].size() == 1 && attributes_[0][0].empty()) {
        return 0;
    }
    return static_cast<int>(attributes_.size());
}

std::string_view DynArray::indexed(std::size_t attribute, std::size_t value) const {
    if (valueStarts_.empty()) indexText();
    if (attribute >= firstValues_.size()) return {};
    std::size_t first = firstValues_[attribute - 1];
    std::size_t end = firstValues_[attribute];
    if (value > 0) {
        if (first + value > end) return {};
        first += value - 1;
        end = first + 1;
    }
    // From the start of the first value to the mark after the last one.
    const std::size_t begin = valueStarts_[first];
    return std::string_view(text_).substr(begin, valueStarts_[end] - 1 - begin);
}

void DynArray::indexText() const {
    valueStarts_.assign(1, 0);
    firstValues_.assign(1, 0);
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == kAttributeMark) firstValues_.push_back(valueStarts_.size());
        if (text_[i] == kAttributeMark || text_[i] == kValueMark) valueStarts_.push_back(i + 1);
    }
    firstValues_.push_back(valueStarts_.size());
    valueStarts_.push_back(text_.size() + 1);
}

const std::vector<DynArray::Attribute>& DynArray::tree() const {
    if (!treeCurrent_) {
        attributes_.clear();
        for (std::string_view piece : splitPieces(text_, kAttributeMark)) {
            attributes_.push_back(valuesOf(piece));
        }
        treeCurrent_ = true;
    }
    return attributes_;
}

std::vector<DynArray::Attribute>& DynArray::treeToChange() {
    tree();
    textCurrent_ = false;
    valueStarts_.clear();
    firstValues_.clear();
    return attributes_;
}

DynArray::Attribute& DynArray::attributeAt(std::size_t index) {
    if (index >= attributes_.size()) attributes_.resize(index + 1, Attribute(1));
    return attributes_[index];
}

std::string& DynArray::valueAt(std::size_t attribute, std::size_t value) {
    Attribute& values = attributeAt(attribute);
    if (value >= values.size()) values.resize(value + 1);
    return values[value];
}

void DynArray::setAttribute(std::size_t index, std::string_view text) {
    std::vector<std::string_view> pieces = splitPieces(text, kAttributeMark);
    // The attribute keeps its storage: values written again one by one after it was emptied
    // (a record's lines rebuilt) need no new memory.
    Attribute values = valuesOf(pieces[0]);
    attributeAt(index).assign(std::make_move_iterator(values.begin()),
                              std::make_move_iterator(values.end()));
    std::vector<Attribute> following;
    for (std::size_t i = 1; i < pieces.size(); ++i)
        following.push_back(valuesOf(pieces[i]));
    attributes_.insert(attributes_.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                       std::make_move_iterator(following.begin()),
                       std::make_move_iterator(following.end()));
}

void DynArray::setValue(std::size_t attribute, std::size_t value, std::string_view text) {
    std::string& slot = valueAt(attribute, value);
    if (!holdsMarkFrom(text, kValueMark)) {
        slot = text;
    } else if (holdsMarkFrom(text, kAttributeMark)) {
        // The text reaches past its attribute: paste it into the attribute's text instead.
        Attribute values = attributes_[attribute];
        values[value] = text;
        setAttribute(attribute, joinPieces(values, kValueMark));
    } else {
        Attribute& values = attributes_[attribute];
        std::vector<std::string> pieces = valuesOf(text);
        values[value] = std::move(pieces[0]);
        values.insert(values.begin() + static_cast<std::ptrdiff_t>(value) + 1,
                      std::make_move_iterator(pieces.begin() + 1),
                      std::make_move_iterator(pieces.end()));
    }
}

void DynArray::setSubvalue(std::size_t attribute, std::size_t value, std::size_t subvalue,
                           std::string_view text) {
    std::vector<std::string_view> subvalues = splitPieces(valueAt(attribute, value), kSubvalueMark);
    if (subvalue >= subvalues.size()) subvalues.resize(subvalue + 1);
    subvalues[subvalue] = text;
    setValue(attribute, value, joinPieces(subvalues, kSubvalueMark));
}

}  // namespace mvdb
