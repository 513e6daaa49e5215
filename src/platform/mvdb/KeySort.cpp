#include "platform/mvdb/KeySort.h"

#include <algorithm>
#include <utility>

namespace mvdb {
namespace {

// Below this many rows, sorting by insertion costs less than partitioning.
constexpr std::size_t kFewRows = 12;

class KeySorter {
public:
    explicit KeySorter(const std::function<bool(std::uint32_t, std::uint32_t)>& tiedBefore)
        : tiedBefore_(tiedBefore) {}

    // Sorts rows whose keys are known to share their first depth bytes.
    void sort(std::span<KeyedRow> rows, std::size_t depth) const {
        while (rows.size() > kFewRows) {
            std::swap(rows[0], rows[rows.size() / 2]);
            const int pivot = byteAt(rows[0], depth);
            // rows[0, less) < pivot, rows[less, at) == pivot, rows[greater, end) > pivot
            std::size_t less = 0, at = 0, greater = rows.size();
            while (at < greater) {
                const int byte = byteAt(rows[at], depth);
                if (byte < pivot) {
                    std::swap(rows[less++], rows[at++]);
                } else if (byte > pivot) {
                    std::swap(rows[--greater], rows[at]);
                } else {
                    ++at;
                }
            }
            sort(rows.first(less), depth);
            sort(rows.subspan(greater), depth);
            rows = rows.subspan(less, greater - less);
            if (pivot < 0) {  // these keys all end here: equal keys
                std::sort(rows.begin(), rows.end(), [this](const KeyedRow& a, const KeyedRow& b) {
                    return tiedBefore_(a.row, b.row);
                });
                return;
            }
            ++depth;
        }
        for (std::size_t i = 1; i < rows.size(); ++i) {
            for (std::size_t j = i; j > 0 && before(rows[j], rows[j - 1], depth); --j)
                std::swap(rows[j], rows[j - 1]);
        }
    }

private:
    static int byteAt(const KeyedRow& row, std::size_t depth) {
        return depth < row.size ? static_cast<unsigned char>(row.bytes[depth]) : -1;
    }

    bool before(const KeyedRow& a, const KeyedRow& b, std::size_t depth) const {
        const int order = a.key().substr(depth).compare(b.key().substr(depth));
        return order != 0 ? order < 0 : tiedBefore_(a.row, b.row);
    }

    const std::function<bool(std::uint32_t, std::uint32_t)>& tiedBefore_;
};

}  // namespace

void sortByKeys(std::span<KeyedRow> rows,
                const std::function<bool(std::uint32_t, std::uint32_t)>& tiedBefore) {
    KeySorter(tiedBefore).sort(rows, 0);
}

}  // namespace mvdb
