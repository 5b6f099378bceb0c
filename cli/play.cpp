// `play`: a whole game against the computer in the terminal, or through a pipe.

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/terminal_game.h"
#include "engine/game_engine.h"

namespace cli {

namespace {

// Whether two names reach one file, through links and dots; false when either cannot be told.
bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code errorA, errorB;
    const fs::path pathA = fs::weakly_canonical(fs::absolute(a, errorA), errorA);
    const fs::path pathB = fs::weakly_canonical(fs::absolute(b, errorB), errorB);
    return !errorA && !errorB && pathA == pathB;
}

}  // namespace

int RunPlay(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    BaseOption base;
    if (auto error = TakeBaseOption(rest, base)) {
        return UsageFailure(error->message);
    }
    PlaySettings settings;
    bool rowsGiven = false;
    std::string savePath;
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
        } else if (arg == "--save") {
            if (!savePath.empty()) {
                return UsageFailure("--save given twice");
            }
            if (i + 1 == rest.size() || rest[i + 1].empty()) {
                return UsageFailure("--save needs a file name");
            }
            savePath = rest[++i];
        } else if (arg.starts_with("-")) {
            return UsageFailure("unknown play option '" + arg + "'");
        } else {
            return UsageFailure("play takes no position: '" + arg +
                                "' (the game starts from the full board; see --rows)");
        }
    }
    if (!savePath.empty() && !base.path.empty() && SameFile(savePath, base.path)) {
        return UsageFailure(
            "--save " + Shown(savePath) +
            " is the base file: the game would take the computer's positions' place");
    }
    settings.echoInput = ::isatty(STDIN_FILENO) == 0;
    int saveError = 0;
    if (!savePath.empty()) {
        settings.keep = [&savePath, &saveError](const engine::SavedGame& saved) {
            saveError = engine::WriteSavedGameFile(savePath, saved);
            return saveError == 0;
        };
    }
    engine::GameEngine game(OpenTable(base));
    TerminalGame terminalGame(game, std::cin, std::cout, settings);
    terminalGame.Play();
    game.GetTable()->Sync();
    if (saveError != 0) {
        std::cerr << "torvel-cli: the game could not be saved as " << Shown(savePath) << " ("
                  << std::strerror(saveError) << "); it ends here\n";
        return 1;
    }
    return 0;
}

}  // namespace cli
