// `play`: a whole game against the computer in the terminal, or through a pipe.

#include <unistd.h>

#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/terminal_game.h"
#include "engine/game_engine.h"

namespace cli {

int RunPlay(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    BaseOption base;
    if (auto error = TakeBaseOption(rest, base)) {
        return UsageFailure(error->message);
    }
    PlaySettings settings;
    bool rowsGiven = false;
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (arg == "--computer-first") {
            settings.computerFirst = true;
        } else if (arg == "--rows") {
            if (rowsGiven) {
                return UsageFailure("--rows given twice");
            }
            int32_t rows = 0;
            if (auto error = TakeNumber(rest, i, engine::kFewestRows, engine::kMostRows, rows)) {
                return UsageFailure(error->message);
            }
            settings.rows = rows;
            rowsGiven = true;
        } else if (arg.starts_with("-")) {
            return UsageFailure("unknown play option '" + arg + "'");
        } else {
            return UsageFailure("play takes no position: '" + arg +
                                "' (the game starts from the full board; see --rows)");
        }
    }
    settings.echoInput = ::isatty(STDIN_FILENO) == 0;
    engine::GameEngine game(OpenTable(base));
    TerminalGame terminalGame(game, std::cin, std::cout, settings);
    terminalGame.Play();
    game.GetTable()->Sync();
    return 0;
}

}  // namespace cli
