#include "zip/DataRanges.h"

#include <iterator>

bool DataRanges::AddIfSeparate(uint64_t start, uint64_t end) {
    const auto next = ranges_.lower_bound(start);
    if (next != ranges_.end() && next->first < end)
        return false;
    if (next != ranges_.begin() && std::prev(next)->second > start)
        return false;
    ranges_.emplace_hint(next, start, end);
    return true;
}
