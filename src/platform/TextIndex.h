// TextIndex: the distinct texts of a sequence, numbered 0, 1, ... in the order they first come,
// and a text's number found again, through one flat table of open addressing: nothing is
// allocated per text, and a look-up reads one slot or a few neighbours. The index keeps views:
// the bytes they show must outlive it. Texts are compared byte for byte.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {

class TextIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // expected: how many distinct texts are likely, so that the table seldom grows.
    explicit TextIndex(std::size_t expected = 0) {
        texts_.reserve(expected);
        resize(expected);
    }

    // The text's number, the next one when it is new.
    std::uint32_t add(std::string_view text) {
        const std::uint64_t hash = hashOf(text);
        std::size_t slot = slotOf(text, hash);
        if (slots_[slot] != 0) return static_cast<std::uint32_t>(slots_[slot]) - 1;
        const auto number = static_cast<std::uint32_t>(texts_.size());
        texts_.push_back(text);
        if (2 * texts_.size() > slots_.size()) {
            resize(texts_.size());
            slot = slotOf(text, hash);
        }
        slots_[slot] = (hash & kHashBits) | (number + 1);
        return number;
    }

    // The text's number; kNone when it never came.
    std::uint32_t find(std::string_view text) const {
        return static_cast<std::uint32_t>(slots_[slotOf(text, hashOf(text))]) - 1;
    }

    std::size_t size() const { return texts_.size(); }
    std::string_view text(std::uint32_t number) const { return texts_[number]; }
    const std::vector<std::string_view>& texts() const { return texts_; }

private:
    // A slot holds the upper half of its text's hash and the text's number + 1; 0 when empty.
    static constexpr std::uint64_t kHashBits = 0xFFFFFFFF00000000ull;

    static std::uint64_t load(const char* bytes, std::size_t size) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, size);
        return word;
    }

    // Short texts, the most common, are read in one or two loads of fixed size.
    static std::uint64_t hashOf(std::string_view text) {
        const char* bytes = text.data();
        const std::size_t size = text.size();
        std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ size;
        std::uint64_t last;
        if (size >= 8) {
            for (std::size_t at = 0; at + 8 < size; at += 8) {
                hash = (hash ^ load(bytes + at, 8)) * 0xBF58476D1CE4E5B9ull;
                hash ^= hash >> 31;
            }
            last = load(bytes + size - 8, 8);
        } else if (size >= 4) {
            last = load(bytes, 4) << 32 | load(bytes + size - 4, 4);
        } else if (size > 0) {
            const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
            last = byte(0) | byte(size / 2) << 8 | std::uint64_t{byte(size - 1)} << 16;
        } else {
            last = 0;
        }
        // Every bit of the words read reaches the low bits, which choose the slot.
        hash ^= last;
        hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ull;
        hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EBull;
        return hash ^ (hash >> 31);
    }

    // Short texts, the most common, are compared without a call.
    static bool same(std::string_view held, std::string_view text) {
        if (held.size() != text.size()) return false;
        if (text.size() > 8) return std::memcmp(held.data(), text.data(), text.size()) == 0;
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (held[at] != text[at]) return false;
        }
        return true;
    }

    // The slot that holds the text, or the empty one where it would go.
    std::size_t slotOf(std::string_view text, std::uint64_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::uint64_t held = slots_[slot];
            if (held == 0) return slot;
            if ((held & kHashBits) == (hash & kHashBits) &&
                same(texts_[static_cast<std::uint32_t>(held) - 1], text))
                return slot;
        }
    }

    // A table of at least twice as many slots as texts, a power of two, filled again.
    void resize(std::size_t texts) {
        std::size_t size = 16;
        while (size < 2 * texts + 2)
            size *= 2;
        slots_.assign(size, 0);
        for (std::uint32_t number = 0; number < texts_.size(); ++number) {
            const std::uint64_t hash = hashOf(texts_[number]);
            slots_[slotOf(texts_[number], hash)] = (hash & kHashBits) | (number + 1);
        }
    }

    std::vector<std::string_view> texts_;
    std::vector<std::uint64_t> slots_;
};

}  // namespace platform
