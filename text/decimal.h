// Reading a decimal integer from text: the one way the base file, the command line, the terminal
// game and saved games read numbers, and the one test of what separates words.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace text {

// Space, tab, line feed, carriage return, vertical tab and form feed, whatever the locale.
constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The words of a line, parted by spaces.
std::vector<std::string_view> Words(std::string_view line);

enum class DecimalStatus { Ok, Malformed, OutOfRange };

// Reads all of `text` as a decimal integer: an optional '-' (or '+' when `plusAllowed`), then
// one or more digits and nothing else, not even spaces. A number beyond the 32-bit range is
// OutOfRange, and `value` is then held at the bound on its side; Malformed leaves it alone.
DecimalStatus ReadDecimal(std::string_view text, int32_t& value, bool plusAllowed = false);

}  // namespace text
