// DynArray: the dynamic array of the database component, used for query commands, query results
// and records.
//
// Text and marks. A dynamic array is a text cut into attributes by the attribute mark (254),
// attributes into values by the value mark (253), values into subvalues by the subvalue mark
// (252); see Marks.h. The text "" has no attribute; any other text has one attribute more than it
// has attribute marks, and every attribute has at least one value, every value one subvalue.
//
// Indexes. Attributes, values and subvalues are numbered from 1. An index of 0 means the whole of
// the enclosing element, and the indexes after it are then ignored: Extract(5, 0) is attribute 5
// whole, Extract(0) the whole text. Reading an element past the last one gives "". A negative
// index fails with kErrBadIndex.
//
// Writing. Replace(a, v, s, text) puts text in place of element (a, v, s) and extends the array
// with empty elements as needed, so that Replace(3, 2, 0, "x") on an empty array gives the text
// <254><254><253>x. The new text may itself hold marks: the element then becomes several, exactly
// as if the text had been pasted into the whole text at that place. A Replace that would extend a
// level past kMaxIndex elements fails with kErrBadIndex.
//
// Cost. The array keeps its text as read. A text of at most kReadInPlace bytes is read in place;
// a longer one is indexed once, at the first indexed read: one pass notes where every value
// starts, and nothing is copied. Any text is parsed into attributes and values at the first
// Replace. Either way, Extract of one value costs the length of that value (subvalues: of their
// value), Extract of an attribute the length of that attribute, Replace of one value the length of
// that value, and Extract of the whole text is rebuilt once after each run of changes. Building a
// record of n values with n calls of Replace is linear in n. A DynArray is used by one thread at a
// time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mvdb {

class DynArray {
public:
    // The largest index that Replace extends an array to, at each level.
    static constexpr int kMaxIndex = 1 << 22;
    // The longest text that indexed reads scan in place instead of indexing it.
    static constexpr std::size_t kReadInPlace = 1024;

    DynArray() = default;
    explicit DynArray(std::string text) : text_(std::move(text)), treeCurrent_(text_.empty()) {}

    // The whole text.
    std::string Extract() const;
    // One attribute, one value or one subvalue, as text.
    std::string Extract(int attribute, int value = 0, int subvalue = 0) const;
    // Takes over a whole text (the assignment of another array's text).
    void Assign(std::string text);
    // Sets one attribute: the same as Replace(attribute, 0, 0, text).
    void Assign(int attribute, std::string_view text);
    void Replace(int attribute, int value, int subvalue, std::string_view text);
    // The number of attributes; 0 for the text "".
    int DCount() const;

private:
    using Attribute = std::vector<std::string>;  // its values, subvalue marks left inside

    // The text of element (attribute, value), both from 1 (value 0: the whole attribute), read
    // from the text through its index.
    std::string_view indexed(std::size_t attribute, std::size_t value) const;
    void indexText() const;
    const std::vector<Attribute>& tree() const;
    std::vector<Attribute>& treeToChange();
    Attribute& attributeAt(std::size_t index);
    std::string& valueAt(std::size_t attribute, std::size_t value);
    void setAttribute(std::size_t index, std::string_view text);
    void setValue(std::size_t attribute, std::size_t value, std::string_view text);
    void setSubvalue(std::size_t attribute, std::size_t value, std::size_t subvalue,
                     std::string_view text);

    // Either the text or the tree is current, or both; the other is rebuilt from it on demand.
    mutable std::string text_;
    mutable std::vector<Attribute> attributes_;
    mutable bool textCurrent_ = true;
    mutable bool treeCurrent_ = true;
    // The index of the text, while the tree is not current: where each value starts in text_, in
    // order, then one past the text's end; and the number of the first value of each attribute,
    // then the number of values. Empty until the first indexed read.
    mutable std::vector<std::size_t> valueStarts_;
    mutable std::vector<std::size_t> firstValues_;
};

}  // namespace mvdb
