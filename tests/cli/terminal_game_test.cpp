// The terminal game driven through streams: what a typed line means, what bad input does, and
// whole games against players of every strength, replayed line by line.

#include "cli/terminal_game.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <streambuf>

#include "cli/key_solver.h"
#include "cli/transcript.h"
#include "engine/game_engine.h"
#include "table/position_table.h"

namespace {

using cli::HumanInput;
using clitest::Rows;

engine::GameEngine Board(Rows rows) {
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    game.SetRows(std::move(rows));
    return game;
}

TEST(ReadHumanInput, TwoIntegersThatFitTheBoardAreAMove) {
    const engine::GameEngine game = Board({1, 3, 5, 7});
    for (const char* line : {"3 2", "  3   2  ", "3\t2", "3 2\r", "+3 +2", "03 002"}) {
        const HumanInput input = cli::ReadHumanInput(line, game);
        ASSERT_EQ(input.kind, HumanInput::Kind::Move) << line;
        EXPECT_EQ(input.move.row, 3) << line;
        EXPECT_EQ(input.move.number, 2) << line;
    }
    const HumanInput whole = cli::ReadHumanInput("3 7", game);
    ASSERT_EQ(whole.kind, HumanInput::Kind::Move);
    EXPECT_EQ(whole.move.number, 7);
}

TEST(ReadHumanInput, QuitWords) {
    const engine::GameEngine game = Board({1, 3, 5, 7});
    EXPECT_EQ(cli::ReadHumanInput("q", game).kind, HumanInput::Kind::Quit);
    EXPECT_EQ(cli::ReadHumanInput(" quit ", game).kind, HumanInput::Kind::Quit);
    EXPECT_EQ(cli::ReadHumanInput("q 1", game).kind, HumanInput::Kind::Invalid);
}

TEST(ReadHumanInput, NotTwoIntegers) {
    const engine::GameEngine game = Board({1, 3, 5, 7});
    for (const char* line : {"", "   ", "3", "3 2 1", "three two", "3 2x", "3x 2", "3.0 2", "- 2",
                             "3,2", "0x3 2", "\x01 \x02"}) {
        const HumanInput input = cli::ReadHumanInput(line, game);
        EXPECT_EQ(input.kind, HumanInput::Kind::Invalid) << line;
        EXPECT_NE(input.problem.find("two numbers"), std::string::npos) << line;
    }
}

TEST(ReadHumanInput, RowsThatDoNotExist) {
    const engine::GameEngine game = Board({1, 3, 5, 7});
    for (const char* line :
         {"4 1", "-1 1", "99999999999999999999999999 1", "-99999999999999999 1"}) {
        const HumanInput input = cli::ReadHumanInput(line, game);
        EXPECT_EQ(input.kind, HumanInput::Kind::Invalid) << line;
        EXPECT_NE(input.problem.find("There is no row"), std::string::npos) << line;
        EXPECT_NE(input.problem.find("0 to 3"), std::string::npos) << line;
    }
}

TEST(ReadHumanInput, CountsOutsideTheRow) {
    const engine::GameEngine game = Board({0, 3, 1, 7});
    EXPECT_EQ(cli::ReadHumanInput("1 0", game).problem, "Take at least one stick.");
    EXPECT_EQ(cli::ReadHumanInput("1 -2", game).problem, "Take at least one stick.");
    EXPECT_EQ(cli::ReadHumanInput("1 4", game).problem, "Row 1 has only 3 sticks.");
    EXPECT_EQ(cli::ReadHumanInput("2 2", game).problem, "Row 2 has only 1 stick.");
    EXPECT_EQ(cli::ReadHumanInput("0 1", game).problem, "Row 0 is empty.");
    EXPECT_EQ(cli::ReadHumanInput("3 99999999999999999999", game).problem,
              "Row 3 has only 7 sticks.");
}

TEST(RowText, IndexThenOneBarPerStick) {
    EXPECT_EQ(cli::RowText(1, 3), "1: | | |");
    EXPECT_EQ(cli::RowText(6, 13), "6: | | | | | | | | | | | | |");
    EXPECT_EQ(cli::RowText(0, 0), "0:");
}

// An input stream whose next line is asked for only when the game reads it, so that a player
// can look at the board first.
class PlayerInput : public std::streambuf {
  public:
    using NextLine = std::function<std::optional<std::string>()>;
    explicit PlayerInput(NextLine source) : next(std::move(source)) {}

  protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        const std::optional<std::string> line = next();
        if (!line) {
            return traits_type::eof();
        }
        buffer = *line + '\n';
        setg(buffer.data(), buffer.data(), buffer.data() + buffer.size());
        return traits_type::to_int_type(*gptr());
    }

  private:
    NextLine next;
    std::string buffer;
};

struct GameRun {
    cli::TerminalGame::End end = cli::TerminalGame::End::Stopped;
    std::string output;
    Rows finalRows;
};

GameRun PlayGame(cli::PlaySettings settings,
                 const std::function<std::optional<std::string>(const Rows&)>& player) {
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    PlayerInput source([&]() { return player(game.GetRows()); });
    std::istream in(&source);
    std::ostringstream out;
    settings.echoInput = true;
    cli::TerminalGame terminalGame(game, in, out, settings);
    GameRun run;
    run.end = terminalGame.Play();
    run.output = out.str();
    run.finalRows = game.GetRows();
    return run;
}

std::string MoveText(clitest::Choice choice) {
    return std::to_string(choice.row) + ' ' + std::to_string(choice.number);
}

TEST(TerminalGame, BadInputLeavesThePositionAndAsksAgain) {
    const std::vector<std::string> lines = {"x", "9 9", "0 2", "1 0", "", "3 2 1", "q"};
    size_t next = 0;
    const GameRun run =
        PlayGame({}, [&](const Rows&) -> std::optional<std::string> { return lines.at(next++); });
    EXPECT_EQ(run.end, cli::TerminalGame::End::Stopped);
    EXPECT_EQ(next, lines.size());
    EXPECT_EQ(run.finalRows, (Rows{1, 3, 5, 7}));
    const clitest::Replay replay = clitest::ReplayTranscript(run.output, 4);
    EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << run.output;
    EXPECT_EQ(replay.rejected, 6);
    EXPECT_EQ(replay.humanMoves, 0);
    EXPECT_EQ(replay.computerMoves, 0);
}

TEST(TerminalGame, EndOfInputStopsCleanly) {
    const GameRun atOnce = PlayGame({}, [](const Rows&) { return std::nullopt; });
    EXPECT_EQ(atOnce.end, cli::TerminalGame::End::Stopped);
    EXPECT_TRUE(atOnce.output.ends_with("Your move: \n")) << atOnce.output;

    int calls = 0;
    const GameRun later = PlayGame({}, [&](const Rows&) -> std::optional<std::string> {
        if (calls++ == 0) {
            return "3 7";
        }
        return std::nullopt;
    });
    EXPECT_EQ(later.end, cli::TerminalGame::End::Stopped);
    const clitest::Replay replay = clitest::ReplayTranscript(later.output, 4);
    EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << later.output;
    EXPECT_EQ(replay.humanMoves, 1);
    EXPECT_EQ(replay.computerMoves, 1);
}

TEST(TerminalGame, AnOverlongLineIsOneProblem) {
    int calls = 0;
    const GameRun run = PlayGame({}, [&](const Rows&) -> std::optional<std::string> {
        if (calls++ == 0) {
            return "3 " + std::string(1 << 20, '1');
        }
        return "q";
    });
    EXPECT_EQ(run.finalRows, (Rows{1, 3, 5, 7}));
    EXPECT_LT(run.output.size(), 2000u);
    const clitest::Replay replay = clitest::ReplayTranscript(run.output, 4);
    EXPECT_EQ(replay.rejected, 1) << run.output;
}

TEST(TerminalGame, EchoedLinesCarryNoControlCharacters) {
    int calls = 0;
    const GameRun run = PlayGame({}, [&](const Rows&) -> std::optional<std::string> {
        if (calls++ == 0) {
            return "\x1b[2J\a 1";
        }
        return std::nullopt;
    });
    EXPECT_NE(run.output.find("Your move: ?[2J? 1\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos);
}

TEST(TerminalGame, StartsWithTheFullBoardTopRowFirst) {
    const GameRun run = PlayGame({.rows = 5}, [](const Rows&) { return std::nullopt; });
    EXPECT_NE(run.output.find("\n\n4: | | | | | | | | |\n3: | | | | | | |\n2: | | | | |\n"
                              "1: | | |\n0: |\n\nYour move: "),
              std::string::npos)
        << run.output;
}

TEST(TerminalGame, ComputerFirstTellsItsMoveInTheWindowsWords) {
    // From 1, 3, 5, 7 every move loses; the slowest loss is shared by four moves and the first,
    // one stick from row 0, is taken: the message keeps "sticks" for a single stick.
    const GameRun run =
        PlayGame({.rows = 4, .computerFirst = true}, [](const Rows&) { return std::nullopt; });
    EXPECT_NE(run.output.find("\nThe computer is thinking.\nThe computer took 1 sticks from row 0\n"
                              "\n3: | | | | | | |\n2: | | | | |\n1: | | |\n0:\n\nYour move: "),
              std::string::npos)
        << run.output;
}

// Players of every strength; each game must replay cleanly and end with the right message.
std::optional<std::string> PerfectPlayer(const Rows& rows) {
    static cli::KeySolver solver;
    return MoveText(clitest::BestMove(solver, rows));
}

std::optional<std::string> FirstStickPlayer(const Rows& rows) {
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r] > 0) {
            return std::to_string(r) + " 1";
        }
    }
    return std::nullopt;
}

TEST(TerminalGame, APerfectPlayerWinsFromAWinningStart) {
    // 1, 3, 5 and 1, 3, 5, 7, 9 are won by the player to move; 1, 3, 5, 7 is lost, so moving
    // second there wins.
    for (const cli::PlaySettings settings :
         {cli::PlaySettings{.rows = 3}, cli::PlaySettings{.rows = 4, .computerFirst = true},
          cli::PlaySettings{.rows = 5}}) {
        const GameRun run = PlayGame(settings, PerfectPlayer);
        EXPECT_EQ(run.end, cli::TerminalGame::End::HumanWon) << run.output;
        const clitest::Replay replay = clitest::ReplayTranscript(run.output, settings.rows);
        EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << run.output;
        EXPECT_EQ(replay.lastLine, "You win, the computer took the last stick.");
        EXPECT_EQ(replay.rejected, 0);
    }
}

TEST(TerminalGame, TheComputerWinsFromAWinningStartWhateverTheHumanDoes) {
    for (const cli::PlaySettings settings :
         {cli::PlaySettings{.rows = 3, .computerFirst = true}, cli::PlaySettings{.rows = 4},
          cli::PlaySettings{.rows = 6, .computerFirst = true}}) {
        for (auto* player : {PerfectPlayer, FirstStickPlayer}) {
            const GameRun run = PlayGame(settings, player);
            EXPECT_EQ(run.end, cli::TerminalGame::End::HumanLost) << run.output;
            const clitest::Replay replay = clitest::ReplayTranscript(run.output, settings.rows);
            EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << run.output;
            EXPECT_EQ(replay.lastLine, "You lose, you took the last stick.");
        }
    }
}

TEST(TerminalGame, RandomPlayersWithMistypedLinesReplayCleanly) {
    std::mt19937 random(20240611);
    const std::vector<std::string> noise = {"", "1", "x y", "7 1", "0 0", "2 -1", "1 1 1", "0 14"};
    for (int game = 0; game < 40; ++game) {
        const int32_t rows = 3 + game % 5;
        const bool computerFirst = game % 2 == 1;
        const GameRun run =
            PlayGame({.rows = rows, .computerFirst = computerFirst},
                     [&](const Rows& board) -> std::optional<std::string> {
                         if (random() % 3 == 0) {
                             return noise[random() % noise.size()];
                         }
                         std::vector<clitest::Choice> moves;
                         for (int32_t r = 0; r < static_cast<int32_t>(board.size()); ++r) {
                             for (int32_t n = 1; n <= board[static_cast<size_t>(r)]; ++n) {
                                 moves.push_back({r, n});
                             }
                         }
                         return MoveText(moves[random() % moves.size()]);
                     });
        const clitest::Replay replay = clitest::ReplayTranscript(run.output, rows);
        EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << run.output;
        EXPECT_TRUE(clitest::Empty(run.finalRows));
        EXPECT_NE(run.end, cli::TerminalGame::End::Stopped);
        EXPECT_EQ(run.end == cli::TerminalGame::End::HumanWon,
                  replay.lastLine == "You win, the computer took the last stick.");
    }
}

}  // namespace
