#include "text/decimal.h"

#include <algorithm>
#include <climits>

namespace text {

DecimalStatus ReadDecimal(std::string_view text, int32_t& value, bool plusAllowed) {
    const bool negative = text.starts_with('-');
    if (negative || (plusAllowed && text.starts_with('+'))) {
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return DecimalStatus::Malformed;
    }
    // Held just past the largest magnitude, so that no number of digits can overflow.
    constexpr int64_t kPastBound = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    for (char c : text) {
        magnitude = std::min(magnitude * 10 + (c - '0'), kPastBound);
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int32_t>(std::clamp<int64_t>(signedValue, INT32_MIN, INT32_MAX));
    return signedValue == value ? DecimalStatus::Ok : DecimalStatus::OutOfRange;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSpace(line[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && !IsSpace(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

}  // namespace text
