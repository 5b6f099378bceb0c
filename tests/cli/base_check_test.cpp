// `verify`'s check: the game's own file passes; one the loader refuses gets the loader's line;
// one that loads but holds a wrong score, or a position no game reaches, is caught at its line.

#include "cli/base_check.h"

#include <gtest/gtest.h>

#include "engine/game_engine.h"
#include "support/temp_dir.h"

namespace {

// The base file that the computer's first move of a seven-row game leaves.
std::vector<std::string> GameFileLines() {
    static const std::vector<std::string> lines = [] {
        testsupport::TempDir directory;
        auto positionTable = std::make_shared<table::PositionTable>(table::kBaseFileName);
        engine::GameEngine game(positionTable);
        game.Resize(7);
        game.Reset();
        game.ChooseMove();
        std::istringstream in(testsupport::ReadFile(table::kBaseFileName));
        std::vector<std::string> read;
        for (std::string line; std::getline(in, line);) {
            read.push_back(line);
        }
        return read;
    }();
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
}

TEST(CheckBaseText, TheGamesOwnFileAndOddLayoutsAreOk) {
    const std::vector<std::string> lines = GameFileLines();
    ASSERT_GT(lines.size(), 20000u);
    const cli::BaseCheck check = cli::CheckBaseText(Join(lines));
    EXPECT_TRUE(check.ok) << check.line << ": " << check.problem;
    EXPECT_EQ(check.keys, lines.size() - 1);
    EXPECT_TRUE(cli::CheckBaseText("0\n").ok);
    EXPECT_TRUE(cli::CheckBaseText("2 0\n1\r\n\n1 1\n-2").ok);
}

TEST(CheckBaseText, AWrongScoreIsCaughtAtItsLine) {
    const std::vector<std::string> lines = GameFileLines();
    for (size_t line = lines.size() / 2; line < lines.size(); line += lines.size() / 5) {
        // Two moves shorter, a score of 4 or more in size stays plausible to the loader.
        const std::string& key = lines[line - 1];
        const int32_t score = std::stoi(key.substr(key.rfind(' ') + 1));
        if (std::abs(score) < 4) {
            continue;
        }
        std::vector<std::string> changed = lines;
        changed[line - 1] =
            key.substr(0, key.rfind(' ') + 1) + std::to_string(score > 0 ? score - 2 : score + 2);
        const cli::BaseCheck check = cli::CheckBaseText(Join(changed));
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.line, line);
        EXPECT_NE(check.problem.find("scores " + std::to_string(score)), std::string::npos)
            << check.problem;
    }
    // One row of three sticks scores 3; -4 is plausible, on the line where the score stands.
    const cli::BaseCheck spread = cli::CheckBaseText("2\n0 1\n3 0 0 1\n\n-4\n");
    EXPECT_FALSE(spread.ok);
    EXPECT_EQ(spread.line, 5u);
}

TEST(CheckBaseText, APositionNoGameReachesIsAProblem) {
    // Eight rows of one stick, plausibly scored 9, but no game of seven rows holds them.
    const cli::BaseCheck check = cli::CheckBaseText("2\n0 1\n1 8 9\n");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.line, 3u);
    EXPECT_NE(check.problem.find("cannot arise"), std::string::npos) << check.problem;
}

TEST(CheckBaseText, DamagedFilesGetTheLoadersLine) {
    const std::vector<std::string> lines = GameFileLines();
    std::vector<std::string> cut(lines.begin(), lines.begin() + 101);
    const cli::BaseCheck truncated = cli::CheckBaseText(Join(cut) + "4 1 0 0 1");
    EXPECT_FALSE(truncated.ok);
    EXPECT_EQ(truncated.line, 102u);
    EXPECT_EQ(truncated.problem, "the file ends before a key's score");
    std::vector<std::string> swapped = lines;
    std::swap(swapped[40], swapped[41]);
    const cli::BaseCheck unordered = cli::CheckBaseText(Join(swapped));
    EXPECT_FALSE(unordered.ok);
    EXPECT_EQ(unordered.line, 42u);
    EXPECT_FALSE(cli::CheckBaseText("").ok);
    EXPECT_FALSE(cli::CheckBaseText("1\n0 1\nrubbish\n").ok);
}

}  // namespace
