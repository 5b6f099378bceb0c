// The board view's state as a plain struct: the message lines, the pending selection, whose
// turn it is, the message-area switch and what the last drawing measured. The game control
// (New Game, the Play command) and the view's own drawing and mouse handling share it; keeping
// it free of the widget lets the game control be tested without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace view {

inline constexpr int32_t kMaxRows = 7;

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
    // The message area: line 1 at the top-left corner, line 2 fifteen pixels lower.
    std::string messageLine1 = " ";
    std::string messageLine2 = " ";
    // Sticks left in each row at the last drawing or click, row 0 first; rows past the
    // position's row count are not used.
    std::array<int32_t, kMaxRows> rowSticks{};
    // The pending move: sticksTaken sticks from selectedRow; 0 sticks means no selection.
    int32_t selectedRow = 0;
    int32_t sticksTaken = 0;
    // Where the Play button was last drawn (a place off the board until the first drawing).
    Rect playButtonRect{600, 200, 660, 240};
    // The client area at the last drawing.
    Rect clientRect{};
    // The left button went down over the Play button and has not come up.
    bool playPressed = false;
    // The pointer was strictly inside the Play button at the last move.
    bool overPlay = false;
    // False while the computer is to move and after a game the human lost.
    bool humanToMove = true;
    bool showMessages = true;
};

}  // namespace view
