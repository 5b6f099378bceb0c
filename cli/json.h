// The little JSON that `--json` prints, written by hand: strings escaped, numbers in decimal.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/move.h"

namespace cli {

// `text` as a JSON string: quoted, with quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

// The numbers as a JSON array: "[1,3,5]".
std::string JsonArray(std::span<const int32_t> numbers);

// A score as the engine gives it, for the player to move or who makes a move: "wins" above 0,
// else "loses".
const char* Outcome(int32_t score);

// "score":7,"outcome":"wins","movesLeft":6
std::string JsonScore(int32_t score);
// "row":2,"take":3
std::string JsonMove(const engine::Move& move);

}  // namespace cli
