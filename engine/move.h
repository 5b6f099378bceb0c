// Move: which row (from 0; -1 for none) and how many sticks are taken from it.
#pragma once

#include <cstdint>

namespace engine {

struct Move {
    int32_t row = -1;
    int32_t number = 0;

    void SetRow(int32_t r) { row = r; }
    void SetNumber(int32_t n) { number = n; }
    void Set(int32_t r, int32_t n) {
        row = r;
        number = n;
    }
    int32_t GetRow() const { return row; }
    int32_t GetNumber() const { return number; }

    friend bool operator==(const Move&, const Move&) = default;
};

}  // namespace engine
