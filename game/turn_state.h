// What the game control writes and the board shows: the two message lines, the pending
// selection, whose turn it is and whether messages show. Plain data, so that the game control
// can be tested without a window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace game {

struct TurnState {
    // The message area: line 1 at the top-left corner, line 2 fifteen pixels lower.
    std::string messageLine1 = " ";
    std::string messageLine2 = " ";
    // The pending move: sticksTaken sticks from selectedRow; 0 sticks means no selection.
    int32_t selectedRow = 0;
    int32_t sticksTaken = 0;
    // False while the computer is to move and after a game the human lost.
    bool humanToMove = true;
    bool showMessages = true;
};

// Sets a message line. The text is built first and moved in: GCC 12 at -O3 warns falsely
// (-Wrestrict) when a literal is assigned to a string in place.
inline void SetLine(std::string& line, std::string_view text) {
    line = std::string(text);
}

}  // namespace game
