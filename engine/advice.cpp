#include "engine/advice.h"

#include <algorithm>

#include "engine/lesson_texts.h"
#include "engine/turn_texts.h"

namespace engine {

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

Advice Advise(const GameEngine& game) {
    Advice advice;
    advice.best = BestMove(game);
    if (advice.best) {
        advice.lesson = Teach(game.GetRows(), *advice.best);
    }
    return advice;
}

std::string Advice::Hint() const {
    return best ? HintText(*best) : text::Tr(kGameOverText);
}

std::string Advice::Why() const {
    return lesson ? LessonText(*lesson) : std::string();
}

std::vector<std::string> Advice::Lines() const {
    if (!lesson) {
        return {};
    }
    std::vector<std::string> lines = LessonLines(*lesson);
    lines.insert(lines.begin(), Hint());
    return lines;
}

}  // namespace engine
