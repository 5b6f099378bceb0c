// torvel-cli as a user runs it: the computer's moves and scores, the base file it leaves, and
// one clear line with status 2 for every mistake on the command line, touching no file.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/save_capture.h"
#include "support/temp_dir.h"

namespace {

testsupport::RunResult Cli(const std::vector<std::string>& args) {
    return testsupport::RunProgram(TORVEL_CLI, args);
}

size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(CliAnalysis, FirstMovesLeaveTheSameBaseFileAsThePlainModel) {
    struct Case {
        std::vector<std::string> rows;
        std::string move;
        size_t keys;
        uint64_t fileHash;  // of the last file the plain model writes in the same move
    };
    const Case cases[] = {
        {{"1", "3", "5"}, "2 3\n", 22, 0xbcf988f7f0e4ece9ull},
        {{"1", "3", "5", "7"}, "0 1\n", 132, 0x7b3c0eca50e404f6ull},
        {{"1", "3", "5", "7", "9"}, "4 9\n", 715, 0xfd695e580db11f77ull},
        {{"1", "3", "5", "7", "9", "11"}, "1 2\n", 3861, 0xcdc4983f10438ad5ull},
        {{"1", "3", "5", "7", "9", "11", "13"}, "6 11\n", 21307, 0xffcdbf473bc6a5d9ull},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        std::vector<std::string> args{"move"};
        args.insert(args.end(), c.rows.begin(), c.rows.end());
        const auto result = Cli(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, c.move);
        EXPECT_EQ(result.err, "");
        const std::string file = testsupport::ReadFile("torvelbase.txt");
        EXPECT_EQ(Lines(file), c.keys + 1);
        EXPECT_EQ(testsupport::Fnv1a(file), c.fileHash) << std::hex << testsupport::Fnv1a(file);
    }
}

TEST(CliAnalysis, ScoresAndMovesUseTheBaseFileOrNone) {
    testsupport::TempDir dir;
    EXPECT_EQ(Cli({"score", "1", "3", "5", "7"}).out, "-16\n");
    EXPECT_TRUE(std::filesystem::exists("torvelbase.txt"));
    const std::string written = testsupport::ReadFile("torvelbase.txt");
    EXPECT_EQ(Cli({"score", "7", "5", "3", "1"}).out, "-16\n");
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), written) << "a second run finds it all";

    EXPECT_EQ(Cli({"move", "--base", "other.txt", "2", "2"}).out, "0 1\n");
    EXPECT_EQ(Cli({"score", "--no-base", "0", "0"}).out, "1\n");
    EXPECT_EQ(Cli({"move", "1", "3", "5", "--no-base"}).out, "2 3\n");
    EXPECT_FALSE(std::filesystem::exists("other.txt")) << "too few keys for a merge";

    testsupport::WriteFile("torvelbase.txt", "3\n0 1\n");
    const auto damaged = Cli({"move", "1", "3", "5"});
    EXPECT_EQ(damaged.status, 0);
    EXPECT_EQ(damaged.out, "2 3\n");
    EXPECT_EQ(Lines(damaged.err), 1u);
    EXPECT_NE(damaged.err.find("damaged"), std::string::npos);
}

TEST(CliAnalysis, MistakesGetOneLineAndStatusTwoAndTouchNoFile) {
    testsupport::TempDir dir;
    const std::vector<std::vector<std::string>> mistakes = {
        {"play-chess"},
        {"--frobnicate"},
        {"move"},
        {"move", "1", "x"},
        {"move", "1", "-3"},
        {"score", "1", "2.5"},
        {"move", "1", "3", "5", "7", "9", "11", "13", "0"},
        {"move", "13", "13"},
        {"score", "12", "12"},
        {"move", "0", "0", "0"},
        {"move", "--turbo", "1", "3"},
        {"move", "--base"},
        {"move", "--base", "a", "--no-base", "1"},
        {"score", "99999999999999"},
        {"bench", "--repeat", "0"},
    };
    for (const auto& args : mistakes) {
        const auto result = Cli(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_EQ(Lines(result.err), 1u) << result.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << args.back();
    }
    EXPECT_NE(Cli({"move", "1", "x"}).err.find("'x'"), std::string::npos);
    EXPECT_NE(Cli({"move", "13", "13"}).err.find("13"), std::string::npos);
    EXPECT_EQ(Cli({"move", "2", "2"}).status, 0);

    EXPECT_EQ(Cli({"--help"}).status, 0);
    EXPECT_NE(Cli({"--version"}).out.find("1.0"), std::string::npos);
}
