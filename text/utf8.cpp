#include "text/utf8.h"

namespace text {

Utf8Char DecodeUtf8(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const size_t length = lead < 0x80                    ? 1
                          : lead >= 0xc2 && lead <= 0xdf ? 2
                          : lead >= 0xe0 && lead <= 0xef ? 3
                          : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                         : 0;
    if (length == 1) {
        return {lead, 1};
    }
    if (length == 0 || length > text.size()) {
        return {};
    }
    static constexpr uint32_t kLeadBits[] = {0, 0x7f, 0x1f, 0x0f, 0x07};
    uint32_t code = lead & kLeadBits[length];
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xc0) != 0x80) {
            return {};
        }
        code = code << 6 | (next & 0x3fu);
    }
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(text[1]);
    const bool outside = (lead == 0xe0 && second < 0xa0) || (lead == 0xed && second >= 0xa0) ||
                         (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second >= 0x90);
    return outside ? Utf8Char{} : Utf8Char{code, length};
}

std::string NarrowForms(std::string_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text.substr(i));
        const size_t length = c.length == 0 ? 1 : c.length;
        if (c.code >= 0xff01 && c.code <= 0xff5e) {
            narrow += static_cast<char>(c.code - 0xff01 + 0x21);
        } else if (c.code == 0x3000) {
            narrow += ' ';
        } else {
            narrow += text.substr(i, length);
        }
        i += length;
    }
    return narrow;
}

}  // namespace text
