// The game's rules that every front end shares: how many rows a game may have, how many sticks
// each row starts with, and which positions can stand on a board at all.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace engine {

inline constexpr int32_t kFewestRows = 3;
inline constexpr int32_t kMostRows = 7;
inline constexpr int32_t kDefaultRows = 4;

// Row i (counted from 0) starts with 2i+1 sticks.
constexpr int32_t StartingSticks(int32_t row) {
    return 2 * row + 1;
}

// The longest row of any game: row 6 of a seven-row game.
inline constexpr int32_t kLongestRow = StartingSticks(kMostRows - 1);

// Whether some game of up to seven rows can reach rows of these sizes (in any order): at most
// seven rows, none negative, which, largest first, fit under 13, 11, 9, 7, 5, 3 and 1 sticks.
bool FitsBoard(std::span<const int32_t> rowSizes);

// Of at most seven rows, largest first, the size of the first that does not fit its place.
std::optional<int32_t> RowThatDoesNotFit(std::span<const int32_t> rowSizes);

}  // namespace engine
