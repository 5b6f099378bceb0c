#include "engine/hint.h"

#include <algorithm>

namespace engine {

int32_t MovesLeft(int32_t score) {
    return (score > 0 ? score : -score) - 1;
}

std::string MovesText(int32_t score) {
    const int32_t left = MovesLeft(score);
    return std::to_string(left) + (left == 1 ? " move" : " moves");
}

std::string SticksFromRow(const Move& move) {
    return std::to_string(move.number) + (move.number == 1 ? " stick" : " sticks") + " from row " +
           std::to_string(move.row);
}

std::string HintText(const ScoredMove& best) {
    if (best.score > 0) {
        return "You can win: take " + SticksFromRow(best.move) + " (wins in " +
               MovesText(best.score) + ").";
    }
    // Short enough for the status bar of the window at its first size, whatever the numbers.
    return "You cannot win: take " + SticksFromRow(best.move) + " to hold out (loses in " +
           MovesText(best.score) + ").";
}

std::optional<ScoredMove> BestMove(const GameEngine& game) {
    const std::vector<ScoredMove> moves = game.ScoreMoves();
    if (table::PositionTable* positions = game.GetTable()) {
        positions->Sync();
    }
    const Move chosen = ChosenMove(moves);
    const auto best = std::find_if(moves.begin(), moves.end(),
                                   [&](const ScoredMove& m) { return m.move == chosen; });
    return best == moves.end() ? std::nullopt : std::optional<ScoredMove>(*best);
}

std::string HintFor(const GameEngine& game) {
    const std::optional<ScoredMove> best = BestMove(game);
    return best ? HintText(*best) : kGameOverText;
}

}  // namespace engine
