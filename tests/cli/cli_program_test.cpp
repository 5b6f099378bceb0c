// torvel-cli as a user runs it: a scripted game through a pipe, `verify` on the file it leaves
// and on damaged copies, and one clear line with status 2 for every command-line mistake.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/transcript.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

using testsupport::RunProgram;
const std::string kCli = TORVEL_CLI;

TEST(PlayThroughAPipe, AScriptedGamePlaysToTheEndAndVerifyTrustsItsFile) {
    testsupport::TempDir directory;
    // One stick from the lowest row that has one: lines naming an empty row are refused and the
    // next is tried, so the script outlasts the game.
    std::string script = "hello\n";
    for (int i = 0; i < 40; ++i) {
        script += "0 1\n1 1\n2 1\n3 1\n";
    }
    testsupport::WriteFile("script", script);
    const testsupport::RunResult run =
        RunProgram("/bin/sh", {"-c", "cat script | '" + kCli + "' play"});
    EXPECT_EQ(run.status, 0);
    const clitest::Replay replay = clitest::ReplayTranscript(run.out, 4);
    EXPECT_EQ(replay.error, "") << run.out;
    EXPECT_GE(replay.rejected, 1);
    EXPECT_GE(replay.computerMoves, 2);
    // 1, 3, 5, 7 is lost for the player to move, against perfect play.
    EXPECT_EQ(replay.lastLine, "You lose, you took the last stick.");

    const testsupport::RunResult verify = RunProgram(kCli, {"verify"});
    EXPECT_EQ(verify.status, 0);
    const std::string keys = testsupport::ReadFile("torvelbase.txt");
    EXPECT_EQ(verify.out, "torvelbase.txt: " + keys.substr(0, keys.find('\n')) + " keys, ok\n");

    // Two rows of one stick (line 4) scored 1 instead of 3: plausible, but wrong.
    std::string wrong = testsupport::ReadFile("torvelbase.txt");
    const size_t at = wrong.find("\n1 2 3\n");
    ASSERT_EQ(std::count(wrong.begin(), wrong.begin() + static_cast<ptrdiff_t>(at), '\n'), 2);
    wrong.replace(at, 7, "\n1 2 1\n");
    testsupport::WriteFile("wrong.txt", wrong);
    const testsupport::RunResult caught = RunProgram(kCli, {"verify", "--base", "wrong.txt"});
    EXPECT_EQ(caught.status, 1);
    EXPECT_TRUE(caught.out.starts_with("wrong.txt: line 4: key 1 2 is stored with score 1"))
        << caught.out;

    testsupport::WriteFile("cut.txt", wrong.substr(0, wrong.size() / 2));
    const testsupport::RunResult cut = RunProgram(kCli, {"verify", "--base", "cut.txt"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_TRUE(cut.out.starts_with("cut.txt: line ")) << cut.out;
    EXPECT_NE(cut.out.find(": the file ends before "), std::string::npos) << cut.out;
    EXPECT_EQ(RunProgram(kCli, {"verify", "--base", "none"}).status, 1);
}

TEST(PlayThroughAPipe, QuitAndEndOfInputEndWithStatusZero) {
    testsupport::TempDir directory;
    for (const char* input : {"", "q\n", "2 1\nquit\n", "0 1"}) {
        const testsupport::RunResult run = RunProgram(kCli, {"play", "--no-base"}, input);
        EXPECT_EQ(run.status, 0) << input;
        EXPECT_EQ(run.err, "") << input;
    }
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));
}

TEST(CommandLine, MistakesGiveOneLineAndStatusTwo) {
    testsupport::TempDir directory;
    const std::vector<std::vector<std::string>> mistakes = {
        {"play", "--rows", "8"}, {"play", "--rows", "2"}, {"play", "--rows", "4x"},
        {"play", "--rows"},      {"play", "--bogus"},     {"play", "1", "3", "5"},
        {"play", "--base"},      {"verify", "--no-base"}, {"verify", "extra"}};
    for (const std::vector<std::string>& args : mistakes) {
        const testsupport::RunResult run = RunProgram(kCli, args, "0 1\n");
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("torvel-cli: ")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

}  // namespace
