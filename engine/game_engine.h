// GameEngine: the position (how many rows, how many sticks in each) with the rules of misere
// Nim, and the computer's complete search over it.
//
// Row i starts with 2i+1 sticks; a move takes one or more sticks from one row; whoever takes the
// last stick loses. All engines of a program share one PositionTable: the engine built with a
// table creates it and loads the base file, and every scratch engine copied from it by
// `SetFrom` uses the same one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/move.h"
#include "table/position_key.h"
#include "table/position_table.h"

namespace engine {

struct ScoredMove {
    Move move;
    int32_t score = 0;  // for the player who makes the move, as MoveScore gives it
};

// The move ChooseMove plays among these: the first with the quickest win, or else the first
// with the slowest loss; row -1 and number 0 when there are none.
Move ChosenMove(const std::vector<ScoredMove>& moves);

class GameEngine {
  public:
    // Four rows of 1, 3, 5 and 7 sticks, and a new table loaded from `torvelbase.txt`.
    GameEngine();
    // With `withoutTable` the engine has no table until `SetFrom` gives it one.
    explicit GameEngine(bool withoutTable);
    // Four rows, and the given table (which the caller may already have loaded).
    explicit GameEngine(std::shared_ptr<table::PositionTable> sharedTable);

    // Changes the row count, keeping the leading rows; new rows are empty until `Reset`.
    void Resize(int32_t newRowCount);
    // Row i gets 2i+1 sticks.
    void Reset();
    bool IsEmpty() const;
    int32_t GetRowCount() const { return static_cast<int32_t>(rows.size()); }
    // Sticks in row i, or 0 for a row that does not exist.
    int32_t GetSticks(int32_t i) const;
    // Copies the other engine's position and shares its table.
    void SetFrom(GameEngine other);
    // Takes the move's sticks when its row exists, its number is not negative and the row holds
    // that many; otherwise false and nothing changes.
    bool ApplyMove(Move m);

    // The order-free key of the position, with score 0.
    table::PositionKey CanonicalKey() const;
    // The score of the position for the player to move, by complete search (search.cpp).
    int32_t Evaluate() const;
    // The computer's move: the quickest win, or else the slowest loss (move_choice.cpp).
    Move ChooseMove() const;
    // Every legal move in enumeration order with its score for the player who makes it, each
    // child searched in full as ChooseMove does (move_choice.cpp).
    std::vector<ScoredMove> ScoreMoves() const;

    table::PositionTable* GetTable() const { return table.get(); }
    const std::shared_ptr<table::PositionTable>& GetSharedTable() const { return table; }
    // Sets up any position directly (tests and the command line).
    void SetRows(std::vector<int32_t> sticks) { rows = std::move(sticks); }
    const std::vector<int32_t>& GetRows() const { return rows; }

  private:
    std::shared_ptr<table::PositionTable> table;
    std::vector<int32_t> rows;  // sticks left in each row, row 0 first; one entry a row
};

// Number of positions searched since the program started (for the bench signature).
uint64_t EvaluationCount();

// Calls `progress` every 16 positions a search scores, until another one or none is set: a
// program that waits for the search can answer meanwhile what must not wait.
void SetSearchProgress(std::function<void()> progress);

// Turns a child's score into the score of the move that leads to it, for the player to move:
// a win for the child's mover is a loss one move longer, and a loss a win one move longer.
constexpr int32_t MoveScore(int32_t childScore) {
    return childScore >= 0 ? -(childScore + 1) : -(childScore - 1);
}

// Keeps the quickest win (the smallest score above 0) and the slowest loss (the smallest).
struct BestScore {
    int32_t win = 0;
    int32_t loss = 0;

    void Offer(int32_t t) {
        if (t > 0) {
            if (win == 0 || t < win) {
                win = t;
            }
        } else if (t < loss) {
            loss = t;
        }
    }
    int32_t Chosen() const { return win > 0 ? win : loss; }
};

}  // namespace engine
