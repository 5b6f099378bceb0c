// The advice of a perfect player for the position on the board, as every front end gives it: the
// window's H, `play`'s hint and why, and `explain`. The search the computer's own move makes names
// the best move (the quickest win, or the loss that holds out longest); the hint says it with how
// the game then ends, and the lesson (engine/lesson.h) says why, in the position's own numbers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/game_engine.h"
#include "engine/lesson.h"
#include "text/translation.h"

namespace engine {

// Its texts are put into words when asked for, in the language in force then.
struct Advice {
    std::optional<ScoredMove> best;  // none once the game is over
    std::optional<Lesson> lesson;    // why the best move is best; none once the game is over

    // "You can win: take 3 sticks from row 2 (wins in 6 moves).", or, when the computer wins
    // whatever is played, "You cannot win: take 1 stick from row 0 to hold out (loses in 15
    // moves)."; once the game is over, that there is no move to make.
    std::string Hint() const;
    // The lesson in one paragraph, as the window and `play` say it; empty once the game is over.
    std::string Why() const;
    // The hint, then the lesson line by line, as `explain` prints it; empty once the game is over.
    std::vector<std::string> Lines() const;
};

// The advice for the player to move in the engine's position. Its search goes through the
// engine's table, which is then saved as after a move.
Advice Advise(const GameEngine& game);

// The move the computer would make in the engine's position, with its score, found by the search
// the computer's own move makes; none once the game is over.
std::optional<ScoredMove> BestMove(const GameEngine& game);

// The hint's words for the best move, counted as `analyze` counts moves: this one and every one
// after it.
std::string HintText(const ScoredMove& best);

// Marked for the catalogue; looked up with text::Tr where it is shown.
inline constexpr const char* kGameOverText =
    text::TrNoop("The game is over: there is no move to make.");

}  // namespace engine
