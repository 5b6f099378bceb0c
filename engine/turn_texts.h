// What the game tells the player during a turn, in the window and in the terminal alike.
#pragma once

#include <cstdint>
#include <string>

#include "engine/move.h"

namespace engine {

inline constexpr const char* kThinkingText = "The computer is thinking.";
inline constexpr const char* kHumanWonText = "You win, the computer took the last stick.";
inline constexpr const char* kHumanLostText = "You lose, you took the last stick.";
inline constexpr const char* kYourTurnText =
    "To take your turn, left click over a row and click 'Play.'";
inline constexpr const char* kSelectText = "Left click on a row to remove one or more sticks.";
inline constexpr const char* kReplaceText =
    "To replace sticks, right click over the row they were taken from.";

// The digits of n, most significant first, with no sign, leading zeros or separators: 0 gives
// "0", 13 gives "13". No message carries a negative number; one would get a leading minus.
std::string NumberToText(int32_t n);

// "The computer took 2 sticks from row 3": "sticks" whatever the count, no full stop.
std::string ComputerTookText(const Move& move);

// "To take 2 sticks from row 3, click the 'Play' button.": "sticks" whatever the count.
std::string SelectionText(int32_t sticks, int32_t row);

}  // namespace engine
