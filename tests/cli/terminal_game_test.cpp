// The terminal game driven through streams: what a typed line means, and whole games against
// players of every strength, replayed line by line.

#include "cli/terminal_game.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

#include "cli/transcript.h"

namespace {

using clitest::Rows;

TEST(ReadHumanInput, MovesQuitsAndWhatIsWrong) {
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    game.SetRows({0, 3, 1, 7});
    const cli::HumanInput move = cli::ReadHumanInput("  3\t7 \r", game);
    ASSERT_EQ(move.kind, cli::HumanInput::Kind::Move);
    EXPECT_EQ(move.move, (engine::Move{3, 7}));
    EXPECT_EQ(cli::ReadHumanInput(" quit", game).kind, cli::HumanInput::Kind::Quit);
    const std::pair<const char*, const char*> problems[] = {
        {"",
         "Type the row and the number of sticks as two numbers, for example 3 2, or q to quit."},
        {"3 2 1", "Type the row"},
        {"3x 2", "Type the row"},
        {"q 1", "Type the row"},
        {"4 1", "There is no row 4: the rows are 0 to 3."},
        {"-1 1", "There is no row -1"},
        {"99999999999999999999 1", "There is no row 99999999999999999999"},
        {"1 0", "Take at least one stick."},
        {"1 4", "Row 1 has only 3 sticks."},
        {"2 2", "Row 2 has only 1 stick."},
        {"0 1", "Row 0 is empty."},
        {"3 99999999999999999999", "Row 3 has only 7 sticks."}};
    for (const auto& [line, problem] : problems) {
        const cli::HumanInput input = cli::ReadHumanInput(line, game);
        EXPECT_EQ(input.kind, cli::HumanInput::Kind::Invalid) << line;
        EXPECT_TRUE(input.problem.starts_with(problem)) << line << ": " << input.problem;
    }
}

using Player = std::function<std::optional<std::string>(const Rows&)>;

// An input stream that asks the player for its next line only when the game reads it.
class PlayerInput : public std::streambuf {
  public:
    PlayerInput(Player p, const engine::GameEngine& g) : player(std::move(p)), game(g) {}

  protected:
    int_type underflow() override {
        const std::optional<std::string> line = player(game.GetRows());
        if (!line) {
            return traits_type::eof();
        }
        buffer = *line + '\n';
        setg(buffer.data(), buffer.data(), buffer.data() + buffer.size());
        return traits_type::to_int_type(buffer[0]);
    }

  private:
    Player player;
    const engine::GameEngine& game;
    std::string buffer;
};

struct GameRun {
    cli::TerminalGame::End end;
    std::string output;
    Rows rows;
};

GameRun PlayGame(cli::PlaySettings settings, const Player& player) {
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    PlayerInput source(player, game);
    std::istream in(&source);
    std::ostringstream out;
    settings.echoInput = true;
    cli::TerminalGame terminalGame(game, in, out, settings);
    const cli::TerminalGame::End end = terminalGame.Play();
    return {end, out.str(), game.GetRows()};
}

Player Lines(std::vector<std::string> lines) {
    auto next = std::make_shared<size_t>(0);
    return [lines, next](const Rows&) -> std::optional<std::string> {
        return *next < lines.size() ? std::optional(lines[(*next)++]) : std::nullopt;
    };
}

TEST(TerminalGame, BadInputLeavesThePositionAndAsksAgain) {
    const std::string longLine = "3 " + std::string(1 << 20, '1');
    const GameRun run = PlayGame({}, Lines({"x", "9 9", "0 2", "", longLine, "\x1b[2J 1", "q"}));
    EXPECT_EQ(run.end, cli::TerminalGame::End::Stopped);
    EXPECT_EQ(run.rows, (Rows{1, 3, 5, 7}));
    EXPECT_LT(run.output.size(), 2000u);                    // the long line is not echoed whole
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos);  // nor a control character
    const clitest::Replay replay = clitest::ReplayTranscript(run.output, 4);
    EXPECT_EQ(replay.error, "") << run.output;
    EXPECT_EQ(replay.rejected, 6);
}

TEST(TerminalGame, TheComputersMoveInTheWindowsWords) {
    // From 1, 3, 5, 7 every move loses and four share the slowest loss; the first is taken, and
    // the message keeps "sticks" for one stick. The end of the input then stops the game.
    const GameRun run = PlayGame({.rows = 4, .computerFirst = true}, Lines({}));
    EXPECT_EQ(run.end, cli::TerminalGame::End::Stopped);
    EXPECT_TRUE(run.output.ends_with(
        "\n3: | | | | | | |\n2: | | | | |\n1: | | |\n0: |\n\nThe computer is thinking.\n"
        "The computer took 1 sticks from row 0\n\n3: | | | | | | |\n2: | | | | |\n1: | | |\n0:\n"
        "\nYour move: \n"))
        << run.output;
}

std::optional<std::string> Perfect(const Rows& rows) {
    static cli::KeySolver solver;
    const auto [row, number] = clitest::BestMove(solver, rows);
    return std::to_string(row) + ' ' + std::to_string(number);
}

std::optional<std::string> OneFromTheLowestRow(const Rows& rows) {
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r] > 0) {
            return std::to_string(r) + " 1";
        }
    }
    return std::nullopt;
}

TEST(TerminalGame, WhoeverStartsFromAWinningPositionWins) {
    // 1, 3, 5 and 1, 3, 5, 7, 9 and 1, ..., 11 are won by the player to move; 1, 3, 5, 7 is lost.
    const std::pair<cli::PlaySettings, bool> games[] = {
        {{.rows = 3}, true},  {{.rows = 4, .computerFirst = true}, true},
        {{.rows = 5}, true},  {{.rows = 3, .computerFirst = true}, false},
        {{.rows = 4}, false}, {{.rows = 6, .computerFirst = true}, false}};
    for (const auto& [settings, humanWins] : games) {
        for (const bool perfect : {true, false}) {
            const GameRun run = PlayGame(settings, perfect ? Perfect : OneFromTheLowestRow);
            const clitest::Replay replay = clitest::ReplayTranscript(run.output, settings.rows);
            EXPECT_EQ(replay.error, "") << run.output;
            if (humanWins && perfect) {
                EXPECT_EQ(run.end, cli::TerminalGame::End::HumanWon) << run.output;
                EXPECT_EQ(replay.lastLine, "You win, the computer took the last stick.");
            } else if (!humanWins) {
                EXPECT_EQ(run.end, cli::TerminalGame::End::HumanLost) << run.output;
                EXPECT_EQ(replay.lastLine, "You lose, you took the last stick.");
            }
        }
    }
}

TEST(TerminalGame, RandomPlayersWithMistypedLinesReplayCleanly) {
    std::mt19937 random(20240611);
    const std::vector<std::string> noise = {"", "1", "x y", "7 1", "0 0", "1 1 1", "0 14"};
    for (int game = 0; game < 40; ++game) {
        const int32_t rows = 3 + game % 5;
        const GameRun run =
            PlayGame({.rows = rows, .computerFirst = game % 2 == 1}, [&](const Rows& board) {
                if (random() % 3 == 0) {
                    return noise[random() % noise.size()];
                }
                std::vector<std::string> moves;
                for (size_t r = 0; r < board.size(); ++r) {
                    for (int32_t n = 1; n <= board[r]; ++n) {
                        moves.push_back(std::to_string(r) + ' ' + std::to_string(n));
                    }
                }
                return moves[random() % moves.size()];
            });
        const clitest::Replay replay = clitest::ReplayTranscript(run.output, rows);
        EXPECT_EQ(replay.error, "") << run.output;
        EXPECT_NE(run.end, cli::TerminalGame::End::Stopped);
        EXPECT_EQ(run.end == cli::TerminalGame::End::HumanWon,
                  replay.lastLine == "You win, the computer took the last stick.");
    }
}

}  // namespace
