// What the game tells the player during a turn, in the window and in the terminal alike.
#pragma once

#include <cstdint>
#include <string>

#include "engine/move.h"
#include "text/translation.h"

namespace engine {

// Marked for the catalogue; looked up with text::Tr where they are shown.
inline constexpr const char* kThinkingText = text::TrNoop("The computer is thinking.");
inline constexpr const char* kHumanWonText =
    text::TrNoop("You win, the computer took the last stick.");
inline constexpr const char* kHumanLostText = text::TrNoop("You lose, you took the last stick.");
inline constexpr const char* kYourTurnText =
    text::TrNoop("To take your turn, left click over a row and click 'Play.'");
inline constexpr const char* kSelectText =
    text::TrNoop("Left click on a row to remove one or more sticks.");
inline constexpr const char* kReplaceText =
    text::TrNoop("To replace sticks, right click over the row they were taken from.");

// The digits of n, most significant first, with no sign, leading zeros or separators: 0 gives
// "0", 13 gives "13". No message carries a negative number; one would get a leading minus.
std::string NumberToText(int32_t n);

// "The computer took 2 sticks from row 3": in English "sticks" whatever the count, no full stop.
std::string ComputerTookText(const Move& move);

// "To take 2 sticks from row 3, click the 'Play' button.": in English "sticks" whatever the
// count.
std::string SelectionText(int32_t sticks, int32_t row);

}  // namespace engine
