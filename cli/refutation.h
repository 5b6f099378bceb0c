// What `review` adds to teach from a game: for each move that gave a won game away, the reply
// that punishes it (the opponent's best move in the rows it left, and whether the game's next
// move was it); and, after the end, the first mistake of each player.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "engine/game_engine.h"
#include "engine/saved_game.h"

namespace cli {

// What a move did to its player's outcome, against the best move of its position.
enum class Verdict { Best, SlowerWin, WinGivenAway, QuickerLoss };

struct Refutation {
    engine::Player by = engine::Player::Computer;  // the player who replies
    engine::ScoredMove reply;                      // that player's best move
    std::optional<engine::Move> next;              // the game's next move, if it has one
};

// The refutation of move `i` of the game, searched with `game`'s table; none when the move took
// the last stick.
std::optional<Refutation> Refute(engine::GameEngine& game, const engine::GameRecord& record,
                                 size_t i);

// What a move that gave a won game away did, with the reply that punishes it where there is one:
// "gives away a won game, loses in 7 moves (taking 1 stick from row 1 wins in 14 moves); the
// computer's best reply, taking 2 sticks from row 2, punished it". `score` is the move's,
// `best` the move that would have won.
std::string GivenAwayText(int32_t score, const engine::ScoredMove& best,
                          const std::optional<Refutation>& refutation);
// ,"refutation":{"row":3,"take":2,"score":..,"outcome":..,"movesLeft":..,"played":true}, or
// nothing; "played" is null when the game stops before the reply.
std::string RefutationJson(const std::optional<Refutation>& refutation);

// The first move (numbered from 1) of each player that was not the best, with its verdict.
class FirstMistakes {
  public:
    void Note(engine::Player player, size_t number, Verdict verdict);
    // "The human's first mistake was move 3, which gave a won game away. The computer made no
    // mistake."
    std::string Text() const;
    // "firstMistakes":{"human":3,"computer":null}
    std::string Json() const;

  private:
    struct Mistake {
        size_t number;
        Verdict verdict;
    };
    std::optional<Mistake> human;
    std::optional<Mistake> computer;
};

}  // namespace cli
