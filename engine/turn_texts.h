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

// "1 stick", "7 sticks": a count of sticks with its noun, as the language's rule has it.
std::string SticksText(int32_t sticks);

// "2 sticks from row 3", "1 stick from row 0": what a move takes, as hints, lessons and reviews
// name it.
std::string SticksFromRow(const Move& move);

// The moves left after a score, this one included, with both sides playing their best; and the
// same as words: "6 moves", "1 move".
int32_t MovesLeft(int32_t score);
std::string MovesText(int32_t score);

// "The computer opened by taking 1 stick from row 0.": what the message lines do not say after a
// new game the computer opens.
std::string OpeningText(const Move& move);

}  // namespace engine
