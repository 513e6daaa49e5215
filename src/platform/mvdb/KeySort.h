// Sorting rows by byte keys, as the selections sort records by the collation keys of a field.
//
// Keys are compared byte for byte, a key before every longer key that it begins. The sort is a
// three-way radix quicksort on the keys' bytes: it never compares again the bytes that a group of
// keys is known to share, so that names with a long common beginning ("Association d'aide à
// domicile n° ...") cost about as much as short ones. Rows whose keys are equal come in the order
// that tiedBefore gives, a strict order over the rows' numbers. Cost: about n log n byte
// comparisons beyond the shared beginnings; n log n calls of tiedBefore at most among equal keys.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace mvdb {

// A row and its key, in 16 bytes: the partitions move rows, and the smaller they are the faster.
struct KeyedRow {
    KeyedRow() = default;
    KeyedRow(std::string_view key, std::uint32_t row)
        : bytes(key.data()), size(static_cast<std::uint32_t>(key.size())), row(row) {}

    std::string_view key() const { return {bytes, size}; }

    const char* bytes = nullptr;
    std::uint32_t size = 0;
    std::uint32_t row = 0;
};

void sortByKeys(std::span<KeyedRow> rows,
                const std::function<bool(std::uint32_t, std::uint32_t)>& tiedBefore);

}  // namespace mvdb
