// torvel-cli as a user runs it: whole games through a pipe, scripted and interactive, `verify`
// on files good and bad, and one clear line with status 2 for every mistake on the command line.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/key_solver.h"
#include "cli/piped_program.h"
#include "cli/transcript.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using testsupport::RunProgram;

const std::string kCli = TORVEL_CLI;

// The board printed last, read back from the text: row 0 is its last line.
clitest::Rows LastBoard(const std::string& output, int32_t rowCount) {
    static const std::regex boardLine(R"((\d+):((?: \|)*))");
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    for (size_t last = lines.size(); last-- > 0;) {
        if (!lines[last].starts_with("0:")) {
            continue;
        }
        clitest::Rows rows;
        for (int32_t r = 0; r < rowCount; ++r) {
            std::smatch m;
            if (last < static_cast<size_t>(r) ||
                !std::regex_match(lines[last - static_cast<size_t>(r)], m, boardLine) ||
                std::stoi(m[1]) != r) {
                return {};
            }
            rows.push_back(static_cast<int32_t>(m[2].length() / 2));
        }
        return rows;
    }
    return {};
}

TEST(PlayThroughAPipe, AScriptedGamePlaysToTheEnd) {
    testsupport::TempDir directory;
    // Takes one stick from the lowest row it can; lines naming an empty row are refused and the
    // next line is tried, so the script outlasts any game.
    std::string script = "hello\n";
    for (int i = 0; i < 40; ++i) {
        script += "0 1\n1 1\n2 1\n3 1\n";
    }
    clitest::PipedProgram program(kCli, {"play"});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(program.Write(script));
    program.CloseInput();
    ASSERT_TRUE(program.ReadToEnd(60s)) << program.Output();
    EXPECT_EQ(program.Wait(), 0);
    const clitest::Replay replay = clitest::ReplayTranscript(program.Output(), 4);
    EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << program.Output();
    EXPECT_GE(replay.humanMoves, 3);
    EXPECT_GE(replay.rejected, 1);
    // 1, 3, 5, 7 is lost for the player to move against perfect play.
    EXPECT_EQ(replay.lastLine, "You lose, you took the last stick.");
    EXPECT_NE(program.Output().find("The computer is thinking.\n"), std::string::npos);

    // The game kept what it learnt in the working directory, and the file checks out.
    const testsupport::RunResult verify = RunProgram(kCli, {"verify"});
    EXPECT_EQ(verify.status, 0) << verify.out;
    EXPECT_TRUE(std::regex_match(verify.out, std::regex("torvelbase.txt: [0-9]+ keys, ok\n")))
        << verify.out;
}

TEST(PlayThroughAPipe, APerfectPlayerAnswersMoveByMoveAndWins) {
    testsupport::TempDir directory;
    cli::KeySolver solver;
    clitest::PipedProgram program(kCli, {"play", "--rows", "5", "--no-base"});
    ASSERT_TRUE(program.Started());
    int moves = 0;
    while (program.ReadUntil("Your move: ", 60s)) {
        const clitest::Rows rows = LastBoard(program.Output(), 5);
        ASSERT_EQ(rows.size(), 5u) << program.Output();
        const clitest::Choice best = clitest::BestMove(solver, rows);
        ASSERT_TRUE(
            program.Write(std::to_string(best.row) + ' ' + std::to_string(best.number) + '\n'));
        ASSERT_LT(++moves, 30);
    }
    program.ReadToEnd(10s);
    EXPECT_EQ(program.Wait(), 0);
    EXPECT_TRUE(program.Output().ends_with("\nYou win, the computer took the last stick.\n"))
        << program.Output();
    const clitest::Replay replay = clitest::ReplayTranscript(program.Output(), 5);
    // Nothing echoes what was typed here (standard input is a pipe, so the program echoes it
    // itself): the transcript must read as a terminal session does.
    EXPECT_TRUE(replay.errors.empty()) << clitest::Describe(replay) << program.Output();
    EXPECT_EQ(replay.humanMoves, moves);
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));
}

TEST(PlayThroughAPipe, QuitAndEndOfInputEndWithStatusZero) {
    testsupport::TempDir directory;
    for (const char* input : {"", "q\n", "2 1\nquit\n", "0 1", "\n\n\n"}) {
        const testsupport::RunResult run = RunProgram(kCli, {"play", "--no-base"}, input);
        EXPECT_EQ(run.status, 0) << input;
        EXPECT_EQ(run.err, "") << input;
        EXPECT_TRUE(run.out.ends_with("Your move: \n") || run.out.ends_with("Your move: q\n") ||
                    run.out.ends_with("Your move: quit\n"))
            << run.out;
    }
}

TEST(PlayThroughAPipe, ADamagedBaseFileIsReportedAndTheGameGoesOn) {
    testsupport::TempDir directory;
    testsupport::WriteFile("torvelbase.txt", "3\n0 1\nnonsense\n");
    const testsupport::RunResult run = RunProgram(kCli, {"play", "--computer-first"}, "q\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("damaged (line 3"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("The computer took 1 sticks from row 0"), std::string::npos);
}

TEST(CommandLine, MistakesGiveOneLineAndStatusTwo) {
    testsupport::TempDir directory;
    const std::vector<std::vector<std::string>> mistakes = {
        {"play", "--rows", "8"},  {"play", "--rows", "2"},
        {"play", "--rows", "x"},  {"play", "--rows"},
        {"play", "--rows", "4x"}, {"play", "--rows", "4", "--rows", "5"},
        {"play", "--bogus"},      {"play", "1", "3", "5"},
        {"play", "--base"},       {"play", "--base", "f", "--no-base"},
        {"verify", "--no-base"},  {"verify", "extra"},
        {"verify", "--base"},     {"verify", "--fast"},
    };
    for (const std::vector<std::string>& args : mistakes) {
        const testsupport::RunResult run = RunProgram(kCli, args, "0 1\n");
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_TRUE(run.err.starts_with("torvel-cli: ")) << shown << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << shown << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));
    EXPECT_FALSE(std::filesystem::exists("f"));
}

TEST(Verify, TellsAGoodFileFromADamagedOneAndFromAWrongScore) {
    testsupport::TempDir directory;
    ASSERT_EQ(RunProgram(kCli, {"play", "--rows", "5", "--computer-first"}, "q\n").status, 0);
    const std::string good = testsupport::ReadFile("torvelbase.txt");
    ASSERT_FALSE(good.empty());

    const testsupport::RunResult ok = RunProgram(kCli, {"verify"});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "torvelbase.txt: " + good.substr(0, good.find('\n')) + " keys, ok\n");

    // Line 4 holds two rows of one stick, won by the player to move in two moves (3); 1 is a
    // plausible score for it, but wrong.
    const size_t line4 = good.find("\n1 2 3\n");
    ASSERT_EQ(std::count(good.begin(), good.begin() + static_cast<ptrdiff_t>(line4), '\n'), 2);
    std::string wrong = good;
    wrong.replace(line4, 7, "\n1 2 1\n");
    testsupport::WriteFile("wrong.txt", wrong);
    const testsupport::RunResult caught = RunProgram(kCli, {"verify", "--base", "wrong.txt"});
    EXPECT_EQ(caught.status, 1);
    EXPECT_EQ(caught.out.substr(0, 18), "wrong.txt: line 4:") << caught.out;

    testsupport::WriteFile("cut.txt", good.substr(0, good.size() / 2));
    const testsupport::RunResult cut = RunProgram(kCli, {"verify", "--base", "cut.txt"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_TRUE(std::regex_match(cut.out, std::regex("cut.txt: line [0-9]+: the file ends .*\n")))
        << cut.out;

    const testsupport::RunResult missing = RunProgram(kCli, {"verify", "--base", "none.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "none.txt: cannot be read: no such file\n");
}

}  // namespace
