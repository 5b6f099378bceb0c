#include "engine/hint.h"

#include <algorithm>

namespace engine {
namespace {

std::string Taking(const Move& move) {
    return "take " + std::to_string(move.number) + (move.number == 1 ? " stick" : " sticks") +
           " from row " + std::to_string(move.row);
}

std::string MovesLeft(int32_t score) {
    const int32_t left = (score > 0 ? score : -score) - 1;
    return std::to_string(left) + (left == 1 ? " move" : " moves");
}

}  // namespace

std::string HintText(const ScoredMove& best) {
    if (best.score > 0) {
        return "You can win: " + Taking(best.move) + " (wins in " + MovesLeft(best.score) + ").";
    }
    // Short enough for the status bar of the window at its first size, whatever the numbers.
    return "You cannot win: " + Taking(best.move) + " to hold out (loses in " +
           MovesLeft(best.score) + ").";
}

std::string HintFor(const GameEngine& game) {
    const std::vector<ScoredMove> moves = game.ScoreMoves();
    if (table::PositionTable* positions = game.GetTable()) {
        positions->Sync();
    }
    const Move chosen = ChosenMove(moves);
    const auto best = std::find_if(moves.begin(), moves.end(),
                                   [&](const ScoredMove& m) { return m.move == chosen; });
    return best == moves.end() ? "The game is over: there is no move to make." : HintText(*best);
}

}  // namespace engine
