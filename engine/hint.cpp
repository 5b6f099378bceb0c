#include "engine/hint.h"

#include <algorithm>

#include "text/translation.h"

namespace engine {

int32_t MovesLeft(int32_t score) {
    return (score > 0 ? score : -score) - 1;
}

std::string MovesText(int32_t score) {
    const int32_t left = MovesLeft(score);
    return text::Fill(text::TrN("%1 move", "%1 moves", left), {left});
}

std::string SticksFromRow(const Move& move) {
    // Translators: what a move takes, said after "take" (or "taking"): the sticks, then the row.
    return text::Fill(text::TrN("%1 stick from row %2", "%1 sticks from row %2", move.number),
                      {move.number, move.row});
}

std::string HintText(const ScoredMove& best) {
    // Translators: the move, then the moves left in the game ("6 moves"). Short enough for the
    // status bar of the window at its first size, whatever the numbers.
    return text::Fill(best.score > 0 ? text::Tr("You can win: take %1 (wins in %2).")
                                     : text::Tr("You cannot win: take %1 to hold out (loses in "
                                                "%2)."),
                      {SticksFromRow(best.move), MovesText(best.score)});
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
    return best ? HintText(*best) : text::Tr(kGameOverText);
}

}  // namespace engine
