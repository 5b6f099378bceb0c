// Reading UTF-8 one character at a time, for the escaper and the line breaker alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// The character at the start of `text` (which must not be empty): its code point and the bytes
// it takes. `length` is 0 when those bytes are not well-formed UTF-8 (a stray byte, an overlong
// form, a surrogate, anything beyond U+10FFFF, a sequence cut short).
struct Utf8Char {
    uint32_t code = 0;
    size_t length = 0;
};
Utf8Char DecodeUtf8(std::string_view text);

// The text with the full-width forms a Japanese or Chinese input method types (U+FF01 to U+FF5E,
// and the ideographic space U+3000) as the ASCII characters they stand for: "３　２" is "3 2".
std::string NarrowForms(std::string_view text);

}  // namespace text
