// Why a move wins: the rule behind every perfect move of misere Nim, worked out in the position's
// own numbers, so that a player can learn it rather than obey the hint.
//
// Write each row's size as a sum of powers of two (7 = 4+2+1, 5 = 4+1). While two rows or more
// hold two sticks or more, the player to move wins exactly when some power of two comes an odd
// number of times over the rows, and the winning moves are those that leave every power an even
// number of times: the rows then pair off, whatever the other player takes breaks a pair, and the
// winner pairs them again. Once only one row holds two sticks or more, the player to move always
// wins, with one move: take that row down to one stick or none, whichever leaves an odd number of
// single sticks, so that the other player takes the last. When every row holds one stick at most,
// each move takes one, and the player to move wins exactly when the number of sticks is even.
//
// The lesson comes from the rule alone, with no search: the search only names the move to explain
// (the hint's: the quickest win, which is always one of the rule's winning moves, or the loss that
// holds out longest, about which the rule says nothing).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/game_engine.h"

namespace engine {

enum class Stage {
    Pairing,       // two rows or more hold two sticks or more
    OneLongRow,    // exactly one row holds two sticks or more
    SingleSticks,  // every row holds one stick at most, and some stick is left
    Over,          // no stick is left
};

// 1, 2, 4 and 8: every row of a game holds fewer than 16 sticks.
inline constexpr int32_t kPowersOfTwo = 4;

struct Lesson {
    Stage stage = Stage::Over;
    std::vector<int32_t> rows;
    // Entry k: how many rows hold the power 2^k in their sum.
    std::array<int32_t, kPowersOfTwo> rowsWithPower{};
    // Every move that wins, in the engine's order (lowest row, then fewest sticks); none when the
    // player to move loses whatever is played.
    std::vector<Move> winningMoves;
    // The move explained: the hint's move when it is one of the winning moves, else the first of
    // them; in a lost position, the hint's move, which holds out longest. Its score is always the
    // hint's (the search scored no other move).
    ScoredMove move;
    // Single sticks left for the other player after `move`: rows of one stick (OneLongRow) or
    // every stick (SingleSticks).
    int32_t singlesLeft = 0;

    bool Wins() const { return !winningMoves.empty(); }
    // The powers of two that come an odd number of times, largest first.
    std::vector<int32_t> OddPowers() const;
};

// The lesson of a position for the player to move; `hint` is the move the hint names there.
Lesson Teach(std::span<const int32_t> rows, const ScoredMove& hint);

}  // namespace engine
