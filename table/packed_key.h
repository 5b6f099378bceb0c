// A key packed into 64 bits: every key of every real game packs.
//
// Bits 60-63 hold the length (0 to 14) and value i sits in bits 56-4i to 59-4i (0 to 15 each),
// so comparing two codes as unsigned integers orders them exactly as PositionKey::IsLess does:
// length first, then the values in index order. A key with a longer length or a larger value
// cannot be packed and is kept in its general form. The search moves from a position to a child
// by adding and subtracting units of the size of a row, without building a key.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>

#include "table/position_key.h"

namespace table {

using PackedKey = uint64_t;

inline constexpr int32_t kMaxPackedLength = 14;
inline constexpr int32_t kMaxPackedValue = 15;
inline constexpr PackedKey kValueBits = (PackedKey{1} << 60) - 1;

// The unit that counts one row of `sticks` sticks (1 to 14).
constexpr PackedKey RowUnit(int32_t sticks) {
    return PackedKey{1} << (60 - 4 * sticks);
}

// Completes the value bits of a key with its length: the index of the last non-zero value.
constexpr PackedKey WithLength(PackedKey valueBits) {
    if (valueBits == 0) {
        return 0;
    }
    const int lowest = std::countr_zero(valueBits);
    const PackedKey length = static_cast<PackedKey>((59 - lowest) / 4 + 1);
    return valueBits | (length << 60);
}

constexpr int32_t PackedLength(PackedKey code) {
    return static_cast<int32_t>(code >> 60);
}

constexpr int32_t PackedValue(PackedKey code, int32_t i) {
    return static_cast<int32_t>((code >> (56 - 4 * i)) & 0xF);
}

std::optional<PackedKey> Pack(const PositionKey& key);
// Whether some game reaches the key's position (CanArise of base_text.h).
bool CanArise(PackedKey code);
PositionKey Unpack(PackedKey code, int32_t score);

// Appends the key's text form and a line end to `out`.
void AppendLine(std::string& out, PackedKey code, int32_t score);

}  // namespace table
