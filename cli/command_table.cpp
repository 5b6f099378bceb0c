#include "cli/command_table.h"

#include "cli/terminal_game.h"
#include "text/translation.h"

namespace cli {

std::span<const Command> Commands() {
    using text::TrNoop;
    static const Command commands[] = {
        // Translators: a command's usage line keeps its name and options as they are.
        {"move", TrNoop("move [--json] [--base FILE | --no-base] N0 N1 ..."),
         TrNoop("print the computer's move (row, then number of sticks) for rows of N0, N1, ... "
                "sticks"),
         RunMove},
        {"score", TrNoop("score [--json] [--base FILE | --no-base] N0 N1 ..."),
         TrNoop("print the score of the position for the player to move"), RunScore},
        {"analyze", TrNoop("analyze [--json] [--base FILE | --no-base] N0 N1 ..."),
         TrNoop("list every move, the best first, with who wins and in how many moves; * marks the "
                "computer's"),
         RunAnalyze},
        {"explain", TrNoop("explain [--json] [--base FILE | --no-base] N0 N1 ..."),
         TrNoop("tell why the best move wins, or why every move loses: the rows as powers of two, "
                "the powers that come an odd number of times, and the move that pairs them off"),
         RunExplain},
        {"play",
         TrNoop("play [--rows N | --start N0 N1 ...] [--computer-first] [--save FILE] [--base FILE "
                "| --no-base]"),
         TrNoop(
             "play a game against the computer in the terminal (3 to 7 rows, 4 by default), or "
             "from rows of N0, N1, ... sticks: the numbers after --start, up to the next option; "
             "type hint for the best move, then why for the reason; --save keeps the game in "
             "FILE after every move"),
         RunPlay, kPlayIntroduction},
        {"review", TrNoop("review [--json] [--base FILE | --no-base] FILE"),
         TrNoop("go through a saved game move by move: what each move did to its player's outcome, "
                "and the best move where it was not"),
         RunReview},
        {"verify", TrNoop("verify [--base FILE]"),
         TrNoop("check a base file: its structure, and every stored score against a search of its "
                "own"),
         RunVerify},
        {"bench", TrNoop("bench [--repeat N]"),
         TrNoop("time the computer's moves for three to seven rows in a temporary directory"),
         RunBench},
    };
    return commands;
}

}  // namespace cli
