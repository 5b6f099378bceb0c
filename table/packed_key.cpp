#include "table/packed_key.h"

#include <charconv>
#include <string>

#include "table/base_text.h"

namespace table {

std::optional<PackedKey> Pack(const PositionKey& key) {
    const int32_t length = key.GetLength();
    if (length > kMaxPackedLength) {
        return std::nullopt;
    }
    PackedKey code = static_cast<PackedKey>(length) << 60;
    for (int32_t i = 0; i < length; ++i) {
        const int32_t v = key.GetValue(i);
        if (v < 0 || v > kMaxPackedValue) {
            return std::nullopt;
        }
        code |= static_cast<PackedKey>(v) << (56 - 4 * i);
    }
    return code;
}

bool CanArise(PackedKey code) {
    int32_t counts[kMaxPackedLength];
    const int32_t length = PackedLength(code);
    for (int32_t i = 0; i < length; ++i) {
        counts[i] = PackedValue(code, i);
    }
    return CanArise(std::span<const int32_t>(counts, static_cast<size_t>(length)));
}

PositionKey Unpack(PackedKey code, int32_t score) {
    int32_t values[kMaxPackedLength];
    const int32_t length = PackedLength(code);
    for (int32_t i = 0; i < length; ++i) {
        values[i] = PackedValue(code, i);
    }
    PositionKey key;
    key.Set(length, score, values);
    return key;
}

void AppendLine(std::string& out, PackedKey code, int32_t score) {
    const int32_t length = PackedLength(code);
    char buffer[8 + 3 * kMaxPackedLength + 16];
    char* p = buffer;
    if (length >= 10) {
        *p++ = '1';
    }
    *p++ = static_cast<char>('0' + length % 10);
    for (int32_t i = 0; i < length; ++i) {
        const int32_t v = PackedValue(code, i);
        *p++ = ' ';
        if (v >= 10) {
            *p++ = '1';
        }
        *p++ = static_cast<char>('0' + v % 10);
    }
    *p++ = ' ';
    p = std::to_chars(p, buffer + sizeof buffer, score).ptr;
    *p++ = '\n';
    out.append(buffer, p);
}

}  // namespace table
