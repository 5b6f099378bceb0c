#include "text/escaped_name.h"

#include <cstdint>

#include "text/translation.h"
#include "text/utf8.h"

namespace text {
namespace {

// Characters that would act on the terminal or on the text around them rather than show: the
// controls, the line and paragraph separators, and every control of the text's direction.
bool Acts(uint32_t c) {
    return c < 0x20 || (c >= 0x7f && c < 0xa0) || c == 0x061c || c == 0x200e || c == 0x200f ||
           c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e) ||
           (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string EscapedName(std::string_view name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        const Utf8Char c = DecodeUtf8(name.substr(i));
        const std::string_view sequence = name.substr(i, c.length == 0 ? 1 : c.length);
        if (sequence == "\\") {
            shown += "\\\\";
        } else if (c.length != 0 && !Acts(c.code)) {
            shown += sequence;
        } else {
            for (const char raw : sequence) {  // byte by byte: the escapes name the bytes there
                const auto byte = static_cast<unsigned char>(raw);
                shown += "\\x";
                shown += kHex[byte >> 4];
                shown += kHex[byte & 15];
            }
        }
        i += sequence.size();
    }
    return shown;
}

std::string Quoted(Quotes quotes, std::string_view name) {
    if (quotes == Quotes::Single) {
        std::string quoted(1, '\'');
        quoted += EscapedName(name);
        return quoted += '\'';
    }
    // Translators: a file's name in a sentence of the window, between the language's
    // quotation marks.
    return Fill(Tr("\"%1\""), {EscapedName(name)});
}

}  // namespace text
