#include "engine/rules.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace engine {

std::optional<int32_t> RowThatDoesNotFit(std::span<const int32_t> rowSizes) {
    const size_t count = std::min(rowSizes.size(), static_cast<size_t>(kMostRows));
    std::vector<int32_t> sizes(rowSizes.begin(), rowSizes.begin() + static_cast<ptrdiff_t>(count));
    std::sort(sizes.begin(), sizes.end(), std::greater<>());
    // The i-th largest row (from 0) must fit in row 6 - i of the seven-row start.
    for (size_t i = 0; i < count; ++i) {
        if (sizes[i] > StartingSticks(kMostRows - 1 - static_cast<int32_t>(i))) {
            return sizes[i];
        }
    }
    return std::nullopt;
}

bool FitsBoard(std::span<const int32_t> rowSizes) {
    return rowSizes.size() <= static_cast<size_t>(kMostRows) &&
           std::none_of(rowSizes.begin(), rowSizes.end(), [](int32_t s) { return s < 0; }) &&
           !RowThatDoesNotFit(rowSizes);
}

}  // namespace engine
