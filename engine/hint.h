// What a perfect player knows of the position for the player to move: the move the computer
// would make there and how the game then ends. The window's H key and the terminal's `hint`
// both tell it.
#pragma once

#include <optional>
#include <string>

#include "engine/game_engine.h"
#include "text/translation.h"

namespace engine {

// The moves left after a score, this one included, with both sides playing their best; and the
// same as words: "6 moves", "1 move".
int32_t MovesLeft(int32_t score);
std::string MovesText(int32_t score);

// "2 sticks from row 3", "1 stick from row 0".
std::string SticksFromRow(const Move& move);

// "You can win: take 3 sticks from row 2 (wins in 6 moves).", or, when the computer wins
// whatever is played, "You cannot win: take 1 stick from row 0 to hold out (loses in 15 moves)."
// with the move that holds out longest. Moves are counted as `analyze` counts them: this one
// and every one after it.
std::string HintText(const ScoredMove& best);

// The move the computer would make in the engine's position, with its score, found by the search
// the computer's own move makes (each move's position searched in full through the shared table,
// which is then saved as after a move); none once the game is over.
std::optional<ScoredMove> BestMove(const GameEngine& game);

// The hint for the engine's position (the text of its BestMove), or that the game is over.
std::string HintFor(const GameEngine& game);
// Marked for the catalogue; looked up with text::Tr where it is shown.
inline constexpr const char* kGameOverText =
    text::TrNoop("The game is over: there is no move to make.");

}  // namespace engine
