// Where everything on the board is, in logical pixels from the client area's top-left corner:
// the one geometry that drawing and hit testing both use.
//
// Sticks are U = 40 pixels long and U div 7 = 5 wide. Rows stack upward from row 0: row r's
// sticks start at y = 1.25 U (R - r), so the top row is at y = 50 and row 0 at the bottom. A
// row's sticks stand 10 pixels apart, centred on x = 10 (2C + 1) by the row's current count, C
// being R, or more for a game that started with a row longer than R full rows hold (13 0 0 is
// centred as seven rows are); the selected sticks stand beside the board from x = 400 on the
// selected row's line. The Play button hangs 100 pixels above the bottom edge, and a lesson is
// written in the free area between the rows and the selected sticks. The rules are
// worked in double precision and cut toward zero, so every place is a whole pixel and drawing,
// printing and hit testing agree on it to the pixel.
#pragma once

#include <algorithm>
#include <cstdint>

#include "view/board_view_state.h"

namespace view {

inline constexpr int32_t kStickLength = 40;

class BoardGeometry {
  public:
    explicit BoardGeometry(int32_t rows, int32_t stickLength = kStickLength)
        : rowCount(rows), length(stickLength), longest(2 * rows - 1) {}

    // Makes room for rows of `sticks` sticks, should the game have started with longer rows
    // than its row count gives.
    BoardGeometry& Holding(int32_t sticks) {
        longest = std::max(longest, sticks);
        return *this;
    }

    int32_t RowCount() const { return rowCount; }
    int32_t StickLength() const { return length; }
    int32_t StickWidth() const { return length / 7; }

    int32_t RowTop(int32_t row) const {
        return static_cast<int32_t>(1.25 * length * (rowCount - row));
    }
    // Left edge of stick `place` (from 0) of a row holding `sticksInRow` sticks.
    int32_t StickLeft(int32_t place, int32_t sticksInRow) const {
        const int32_t columns = (longest + 1) / 2;  // the rows of a game whose top row is longest
        return static_cast<int32_t>(((place - sticksInRow / 2) * static_cast<double>(length) +
                                     (2.0 * columns + 1) * length) *
                                    0.25);
    }
    // Left edge of the selected stick `place` (from 0), beside the board.
    int32_t SelectedStickLeft(int32_t place) const {
        return static_cast<int32_t>(place * length * 0.25 + 400);
    }
    Rect PlayButton(int32_t clientBottom) const {
        Rect button;
        button.left = static_cast<int32_t>(length * 0.25 + 200 - 30);
        button.top = clientBottom - 100;
        button.right = button.left + 60;
        button.bottom = button.top + 40;
        return button;
    }
    // Where a lesson is written: right of the longest row the game can have, left of the selected
    // sticks, below the two message lines (`lineHeight` pixels each from y = 0 and 15) and above
    // the Play button.
    Rect LessonArea(int32_t clientBottom, int32_t lineHeight) const {
        return Rect{StickLeft(longest - 1, longest) + StickWidth() + 15, 15 + lineHeight + 5,
                    SelectedStickLeft(0) - 10, PlayButton(clientBottom).top - 5};
    }
    // The smallest client area that shows the board whole: every stick of the longest row
    // selected beside it, and the Play button 10 pixels below row 0.
    int32_t MinimumWidth() const { return SelectedStickLeft(longest) + 10; }
    int32_t MinimumHeight() const { return RowTop(0) + length + 10 + 100; }
    // The row a pointer at height y points at; x never matters. Every y above the board
    // counts for the top row and every y below it for row 0.
    int32_t RowAt(int32_t y) const {
        if (rowCount <= 0) {
            return 0;
        }
        const double exact = rowCount - (static_cast<double>(y) - 50.0) * 0.02;
        const double cut = std::clamp(exact, -1.0, static_cast<double>(rowCount));
        return std::clamp(static_cast<int32_t>(cut), 0, rowCount - 1);
    }
    // Strictly inside: the outline does not count.
    static bool StrictlyInside(const Rect& rect, int32_t x, int32_t y) {
        return rect.left < x && x < rect.right && rect.top < y && y < rect.bottom;
    }

  private:
    int32_t rowCount;
    int32_t length;
    int32_t longest;  // the most sticks a row of the game can hold
};

}  // namespace view
