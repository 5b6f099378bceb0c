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
void WriteDiagnostic(const std::vector<Move>& moves, const Move& chosen) {
    std::ofstream out("debug_file.txt", std::ios::trunc);
    if (!out) {
        return;
    }
    out << "Here are the moves:" << std::endl;
    for (const Move& m : moves) {
        WriteMoveLine(out, m);
    }
    out << "Here's the one we're returning:" << std::endl;
    WriteMoveLine(out, chosen);
}

}  // namespace

Move GameEngine::ChooseMove() const {
    std::vector<Move> moves;
    std::vector<int32_t> scores;
    GameEngine scratch(true);
    for (int32_t r = 0; r < GetRowCount(); ++r) {
        for (int32_t n = 1; n <= GetSticks(r); ++n) {
            scratch.SetFrom(*this);
            scratch.ApplyMove(Move{r, n});
            scores.push_back(scratch.Evaluate());
            moves.push_back(Move{r, n});
        }
    }
    BestScore best;
    for (int32_t& s : scores) {
        s = MoveScore(s);
        best.Offer(s);
    }
    Move chosen;
    for (size_t k = 0; k < moves.size(); ++k) {
        if (scores[k] == best.Chosen()) {
            chosen = moves[k];
            break;
        }
    }
    if (chosen.row < 0 || chosen.row > GetRowCount()) {
        WriteDiagnostic(moves, chosen);
    }
    return chosen;
}

}  // namespace engine
