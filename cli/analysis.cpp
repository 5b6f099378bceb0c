// `move`, `score` and `analyze`: the computer's view of one position, with the game's base file.
//
// A score is the engine's: for the player it belongs to, positive for a win and negative for a
// loss, one more than the number of moves left in size, both sides playing their best (the
// winner the quickest win, the loser the slowest loss). A move's score counts the move itself
// among the moves left, so "wins in 6 moves" is that move and five more, the last of them the
// other player's taking the last stick.

#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "engine/game_engine.h"
#include "engine/turn_texts.h"
#include "text/translation.h"

namespace cli {
namespace {

// Whether a move with score `a` is better for its player than one with `b`: every win before
// every loss, the quickest win first, and the slowest loss first.
bool Better(int32_t a, int32_t b) {
    return (a > 0) != (b > 0) ? a > 0 : a < b;
}

}  // namespace

int RunMove(Arguments args) {
    PositionCommand analysis;
    if (auto error = ParsePositionCommand(args, analysis, true)) {
        return UsageFailure(error->message);
    }
    engine::GameEngine game = OpenPosition(analysis);
    const engine::Move move = game.ChooseMove();
    game.GetTable()->Sync();
    if (analysis.json) {
        std::cout << "{\"rows\":" << JsonArray(analysis.rows) << ',' << JsonMove(move) << "}\n";
    } else {
        std::cout << move.row << ' ' << move.number << '\n';
    }
    return 0;
}

int RunScore(Arguments args) {
    PositionCommand analysis;
    if (auto error = ParsePositionCommand(args, analysis, false)) {
        return UsageFailure(error->message);
    }
    engine::GameEngine game = OpenPosition(analysis);
    const int32_t score = game.Evaluate();
    game.GetTable()->Sync();
    if (analysis.json) {
        std::cout << "{\"rows\":" << JsonArray(analysis.rows) << ',' << JsonScore(score) << "}\n";
    } else {
        std::cout << score << '\n';
    }
    return 0;
}

int RunAnalyze(Arguments args) {
    PositionCommand analysis;
    if (auto error = ParsePositionCommand(args, analysis, true)) {
        return UsageFailure(error->message);
    }
    engine::GameEngine game = OpenPosition(analysis);
    std::vector<engine::ScoredMove> moves = game.ScoreMoves();
    game.GetTable()->Sync();
    const engine::Move chosen = engine::ChosenMove(moves);
    std::stable_sort(moves.begin(), moves.end(),
                     [](const auto& a, const auto& b) { return Better(a.score, b.score); });
    if (analysis.json) {
        std::cout << "{\"rows\":" << JsonArray(analysis.rows) << ','
                  << JsonScore(moves.front().score) << ",\"moves\":[";
        for (size_t i = 0; i < moves.size(); ++i) {
            std::cout << (i > 0 ? "," : "") << '{' << JsonMove(moves[i].move) << ','
                      << JsonScore(moves[i].score)
                      << ",\"chosen\":" << (moves[i].move == chosen ? "true" : "false") << '}';
        }
        std::cout << "]}\n";
        return 0;
    }
    for (const engine::ScoredMove& m : moves) {
        const int32_t left = engine::MovesLeft(m.score);
        // Translators: row, sticks taken, moves left in the game.
        const char* line =
            m.score > 0 ? text::TrN("%1 %2 wins in %3 move", "%1 %2 wins in %3 moves", left)
                        : text::TrN("%1 %2 loses in %3 move", "%1 %2 loses in %3 moves", left);
        std::cout << text::Fill(line, {m.move.row, m.move.number, left})
                  << (m.move == chosen ? " *" : "") << '\n';
    }
    return 0;
}

}  // namespace cli
