// The computer's move: every legal move is scored by a full search of the child position, and
// the quickest win is played or, failing that, the slowest loss; among equal scores the first
// move in enumeration order (lowest row, then fewest sticks) is taken.

#include <fstream>

#include "engine/game_engine.h"

namespace engine {
namespace {

void WriteMoveLine(std::ofstream& out, const Move& m) {
    out << "Row = " << m.row << " Number = " << m.number << std::endl;
}

// A record of the moves and the choice, written only when the chosen row is impossible.
void WriteDiagnostic(const std::vector<ScoredMove>& moves, const Move& chosen) {
    std::ofstream out("debug_file.txt", std::ios::trunc);
    if (!out) {
        return;
    }
    out << "Here are the moves:" << std::endl;
    for (const ScoredMove& m : moves) {
        WriteMoveLine(out, m.move);
    }
    out << "Here's the one we're returning:" << std::endl;
    WriteMoveLine(out, chosen);
}

}  // namespace

std::vector<ScoredMove> GameEngine::ScoreMoves() const {
    std::vector<ScoredMove> moves;
    GameEngine scratch(true);
    for (int32_t r = 0; r < GetRowCount(); ++r) {
        for (int32_t n = 1; n <= GetSticks(r); ++n) {
            scratch.SetFrom(*this);
            scratch.ApplyMove(Move{r, n});
            moves.push_back({Move{r, n}, MoveScore(scratch.Evaluate())});
        }
    }
    return moves;
}

Move ChosenMove(const std::vector<ScoredMove>& moves) {
    BestScore best;
    for (const ScoredMove& m : moves) {
        best.Offer(m.score);
    }
    for (const ScoredMove& m : moves) {
        if (m.score == best.Chosen()) {
            return m.move;
        }
    }
    return Move{};
}

Move GameEngine::ChooseMove() const {
    const std::vector<ScoredMove> moves = ScoreMoves();
    const Move chosen = ChosenMove(moves);
    if (chosen.row < 0 || chosen.row > GetRowCount()) {
        WriteDiagnostic(moves, chosen);
    }
    return chosen;
}

}  // namespace engine
