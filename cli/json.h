// The little JSON that `--json` prints, written by hand: strings escaped, numbers in decimal.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace cli {

// `text` as a JSON string: quoted, with quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

// The numbers as a JSON array: "[1,3,5]".
std::string JsonArray(std::span<const int32_t> numbers);

}  // namespace cli
