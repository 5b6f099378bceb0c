#include "table/escaped_name.h"

#include <cstdint>

namespace table {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
size_t SequenceLength(std::string_view text) {
    const auto byte = static_cast<unsigned char>(text[0]);
    const size_t length = byte < 0x80                    ? 1
                          : byte >= 0xc2 && byte <= 0xdf ? 2
                          : byte >= 0xe0 && byte <= 0xef ? 3
                          : byte >= 0xf0 && byte <= 0xf4 ? 4
                                                         : 0;
    if (length <= 1 || length > text.size()) {
        return length == 1 ? 1 : 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[k]) & 0xc0) != 0x80) {
            return 0;
        }
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(text[1]);
    const bool outside = (byte == 0xe0 && second < 0xa0) || (byte == 0xed && second >= 0xa0) ||
                         (byte == 0xf0 && second < 0x90) || (byte == 0xf4 && second >= 0x90);
    return outside ? 0 : length;
}

// The code point of a well-formed sequence.
uint32_t CodePoint(std::string_view sequence) {
    static constexpr uint32_t kLeadBits[] = {0, 0x7f, 0x1f, 0x0f, 0x07};
    uint32_t c = static_cast<unsigned char>(sequence[0]) & kLeadBits[sequence.size()];
    for (size_t k = 1; k < sequence.size(); ++k) {
        c = c << 6 | (static_cast<unsigned char>(sequence[k]) & 0x3fu);
    }
    return c;
}

// Characters that would act on the terminal or on the text around them rather than show.
bool Acts(uint32_t c) {
    return c < 0x20 || (c >= 0x7f && c < 0xa0) || c == 0x200e || c == 0x200f ||
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string EscapedName(std::string_view name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        const size_t length = SequenceLength(name.substr(i));
        const std::string_view sequence = name.substr(i, length == 0 ? 1 : length);
        if (sequence == "\\") {
            shown += "\\\\";
        } else if (length != 0 && !Acts(CodePoint(sequence))) {
            shown += sequence;
        } else {
            for (const char c : sequence) {  // byte by byte: the escapes name the bytes there
                const auto byte = static_cast<unsigned char>(c);
                shown += "\\x";
                shown += kHex[byte >> 4];
                shown += kHex[byte & 15];
            }
        }
        i += sequence.size();
    }
    return shown;
}

}  // namespace table
