// What only the board view keeps between drawings and clicks: the rows as last drawn, where
// the Play button was drawn and whether it is pressed, and the client area.
#pragma once

#include <array>
#include <cstdint>

#include "engine/rules.h"

namespace view {

// The parts of the board the keyboard and screen readers move among, from the top: the message
// area, the rows (part kFirstRowPart + row), the Play button.
inline constexpr int kMessagesPart = 0;
inline constexpr int kFirstRowPart = 1;
inline constexpr int kPlayPart = kFirstRowPart + engine::kMostRows;
inline constexpr int kBoardParts = kPlayPart + 1;

// The board's sizes, in percent of the original's.
inline constexpr int kZoomSteps[] = {100, 125, 150, 200, 250, 300, 400};

// A pixel rectangle; right and bottom lie just outside it.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct BoardViewState {
    // Sticks left in each row at the last drawing or click, row 0 first; rows past the
    // position's row count are not used.
    std::array<int32_t, engine::kMostRows> rowSticks{};
    // Where the Play button was last drawn (a place off the board until the first drawing).
    Rect playButtonRect{600, 200, 660, 240};
    // The client area at the last drawing, in the board's own pixels (a window's pixels at 100 %).
    Rect clientRect{};
    // The left button went down over the Play button and has not come up.
    bool playPressed = false;
    // The pointer was strictly inside the Play button at the last move.
    bool overPlay = false;
};

}  // namespace view
