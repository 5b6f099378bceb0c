// The colour of every pixel of a stick: a grey tip, a red head and a yellow body, each column
// darker than the one to its left. Column i of a stick U pixels long is shaded by
// d = 64 i / (U div 7), held in single precision: the shades are defined in that precision, and
// a wider type could round a column to the next level.
#pragma once

#include <cstdint>

namespace view {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The pixel in column `column` and row `row` of a stick `length` pixels long.
inline Rgb StickPixel(int32_t column, int32_t row, int32_t length) {
    const int32_t width = length / 7;
    const float shade =
        width > 0 ? 64.0f * static_cast<float>(column) / static_cast<float>(width) : 0.0f;
    auto channel = [shade](float base) {
        const int32_t value = static_cast<int32_t>(base - shade);
        return static_cast<uint8_t>(value < 0 ? 0 : value);
    };
    if (row <= length / 21) {
        const uint8_t grey = channel(128.0f);
        return Rgb{grey, grey, grey};
    }
    if (row <= length * 2.0 / 9.0) {
        return Rgb{channel(192.0f), 0, 0};
    }
    const uint8_t yellow = channel(255.0f);
    return Rgb{yellow, yellow, 0};
}

}  // namespace view
