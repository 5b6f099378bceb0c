// A second, independent way to score positions, for checking a base file: a plain memoised
// search over the row sizes of a position, sharing nothing with the engine or its table.
//
// A position is told by how many rows hold each number of sticks, exactly as a key's values
// are: entry k-1 counts the rows of k sticks. The score follows the game's rule: the empty
// position scores 1; otherwise every move is scored from its child (a child won by its mover
// with s is a loss one move longer, -(s+1); a child lost with s is a win one move longer,
// 1-s), and the player to move takes the quickest win, or else the slowest loss.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>

#include "engine/rules.h"

namespace cli {

class KeySolver {
  public:
    static constexpr int32_t kLargestRow = engine::kLongestRow;

    // Whether some game can reach a position with these counts (the board's fit check).
    static bool Reachable(std::span<const int32_t> counts);

    // The score for the player to move; 0 when the counts are not Reachable.
    int32_t Score(std::span<const int32_t> counts);

    size_t PositionsScored() const { return memo.size(); }

  private:
    using Counts = std::array<int32_t, kLargestRow>;  // rows of 1 to 13 sticks

    int32_t Search(Counts& counts);
    static uint64_t Code(const Counts& counts);

    std::unordered_map<uint64_t, int32_t> memo;
};

}  // namespace cli
