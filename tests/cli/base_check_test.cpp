// `verify`'s check of a base file: a file the game wrote passes; one the loader would refuse is
// reported with the loader's line; one that loads but holds a wrong score is caught by the
// independent search, at the line of that score.

#include "cli/base_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game_engine.h"
#include "support/temp_dir.h"
#include "table/position_table.h"

namespace {

// The base file that the computer's first move of a seven-row game leaves.
const std::string& GameFile() {
    static const std::string text = [] {
        testsupport::TempDir directory;
        auto positionTable = std::make_shared<table::PositionTable>(table::kBaseFileName);
        positionTable->Load();
        engine::GameEngine game(positionTable);
        game.Resize(7);
        game.Reset();
        game.ChooseMove();
        return testsupport::ReadFile(table::kBaseFileName);
    }();
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
}

// Replaces the last number (the score) of a line.
std::string WithScore(const std::string& line, int32_t score) {
    return line.substr(0, line.rfind(' ') + 1) + std::to_string(score);
}

int32_t ScoreOf(const std::string& line) {
    return std::stoi(line.substr(line.rfind(' ') + 1));
}

TEST(CheckBaseText, TheGamesOwnFileIsOk) {
    const std::vector<std::string> lines = Lines(GameFile());
    ASSERT_GT(lines.size(), 20000u);
    const cli::BaseCheck check = cli::CheckBaseText(GameFile());
    EXPECT_TRUE(check.ok) << check.line << ": " << check.problem;
    EXPECT_EQ(check.keys, static_cast<size_t>(std::stoi(lines[0])));
    EXPECT_EQ(check.keys + 1, lines.size());
}

TEST(CheckBaseText, SmallAndOddlyLaidOutFilesAreOk) {
    EXPECT_TRUE(cli::CheckBaseText("0\n").ok);
    EXPECT_TRUE(cli::CheckBaseText("2\r\n0 1\r\n1 1 -2\r\n").ok);
    const cli::BaseCheck spread = cli::CheckBaseText("2 0\n1\n\n1 1\n-2");
    EXPECT_TRUE(spread.ok) << spread.problem;
    EXPECT_EQ(spread.keys, 2u);
}

TEST(CheckBaseText, AWrongScoreIsCaughtAtItsLine) {
    std::vector<std::string> lines = Lines(GameFile());
    for (size_t line : {size_t{3}, lines.size() / 2, lines.size() - 10}) {
        // A score of 4 or more in size, made two moves shorter, stays plausible, so the loader
        // takes it: a quicker win or a quicker loss.
        while (std::abs(ScoreOf(lines[line - 1])) < 4) {
            ++line;
        }
        std::vector<std::string> changed = lines;
        const int32_t score = ScoreOf(lines[line - 1]);
        const int32_t wrong = score > 0 ? score - 2 : score + 2;
        changed[line - 1] = WithScore(lines[line - 1], wrong);
        const cli::BaseCheck check = cli::CheckBaseText(Join(changed));
        EXPECT_FALSE(check.ok) << "line " << line;
        EXPECT_EQ(check.line, line);
        EXPECT_NE(check.problem.find("score " + std::to_string(wrong)), std::string::npos)
            << check.problem;
        EXPECT_NE(check.problem.find("scores " + std::to_string(score)), std::string::npos)
            << check.problem;
    }
}

TEST(CheckBaseText, AScoreWithTheWrongWinnerIsCaught) {
    // "3 0 0 2 -6": two rows of three sticks, a loss for the player to move after five more
    // moves. Stored as a win (5) it still looks plausible to the loader.
    const std::string good = "3\n0 1\n1 1 -2\n3 0 0 2 -6\n";
    EXPECT_TRUE(cli::CheckBaseText(good).ok) << cli::CheckBaseText(good).problem;
    const cli::BaseCheck check = cli::CheckBaseText("3\n0 1\n1 1 -2\n3 0 0 2 5\n");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.line, 4u);
}

TEST(CheckBaseText, TheScoreLineCountsWhenAKeyIsSpreadOverLines) {
    // One row of three sticks scores 3 (take two); -4 is plausible but wrong.
    const cli::BaseCheck check = cli::CheckBaseText("2\n0 1\n3 0 0 1\n\n-4\n");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.line, 5u) << check.problem;
}

TEST(CheckBaseText, APositionNoGameReachesIsAProblem) {
    // Eight rows of one stick: plausibly scored 9 (the mover wins), but no seven-row game has it.
    const cli::BaseCheck check = cli::CheckBaseText("2\n0 1\n1 8 9\n");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.line, 3u);
    EXPECT_NE(check.problem.find("cannot arise"), std::string::npos) << check.problem;
    // A row of 14 sticks, the largest that still packs.
    EXPECT_FALSE(cli::CheckBaseText("1\n14 0 0 0 0 0 0 0 0 0 0 0 0 0 1 15\n").ok);
}

TEST(CheckBaseText, DamagedFilesGetTheLoadersLine) {
    const std::vector<std::string> lines = Lines(GameFile());
    {
        // Cut off in the middle of a key.
        std::string text = Join(std::vector<std::string>(lines.begin(), lines.begin() + 101));
        text += "4 1 0 0 1";
        const cli::BaseCheck check = cli::CheckBaseText(text);
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.line, 102u);
        EXPECT_EQ(check.problem, "the file ends before a key's score");
    }
    {
        std::vector<std::string> swapped = lines;
        std::swap(swapped[40], swapped[41]);
        const cli::BaseCheck check = cli::CheckBaseText(Join(swapped));
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.line, 42u);
    }
    {
        std::vector<std::string> impossible = lines;
        impossible[10] = WithScore(impossible[10], 0);
        const cli::BaseCheck check = cli::CheckBaseText(Join(impossible));
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.line, 11u);
    }
    EXPECT_FALSE(cli::CheckBaseText("").ok);
    EXPECT_FALSE(cli::CheckBaseText("1\n0 1\nrubbish\n").ok);
    EXPECT_FALSE(cli::CheckBaseText("999999999\n0 1\n").ok);
}

}  // namespace
