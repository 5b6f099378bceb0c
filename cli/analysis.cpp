// `move` and `score`: the computer's answer for one position, with the game's base file.

#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "engine/game_engine.h"

namespace cli {
namespace {

struct Analysis {
    BaseOption base;
    std::vector<int32_t> rows;
};

std::optional<UsageError> ParseAnalysis(Arguments args, Analysis& analysis) {
    std::vector<std::string> rest(args.begin(), args.end());
    if (auto error = TakeBaseOption(rest, analysis.base)) {
        return error;
    }
    return ParsePosition(rest, analysis.rows);
}

}  // namespace

int RunMove(Arguments args) {
    Analysis analysis;
    if (auto error = ParseAnalysis(args, analysis)) {
        return UsageFailure(error->message);
    }
    if (std::none_of(analysis.rows.begin(), analysis.rows.end(), [](int32_t s) { return s > 0; })) {
        return UsageFailure("the position is empty: there is no move to make");
    }
    engine::GameEngine game(OpenTable(analysis.base));
    game.SetRows(analysis.rows);
    const engine::Move move = game.ChooseMove();
    game.GetTable()->Sync();
    std::cout << move.row << ' ' << move.number << '\n';
    return 0;
}

int RunScore(Arguments args) {
    Analysis analysis;
    if (auto error = ParseAnalysis(args, analysis)) {
        return UsageFailure(error->message);
    }
    engine::GameEngine game(OpenTable(analysis.base));
    game.SetRows(analysis.rows);
    const int32_t score = game.Evaluate();
    game.GetTable()->Sync();
    std::cout << score << '\n';
    return 0;
}

}  // namespace cli
