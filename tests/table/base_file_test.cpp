#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "table/base_file.h"

using table::LoadStatus;
using table::ParseBaseFile;

TEST(BaseFile, ParsesWellFormedFilesWhateverTheirSpacing) {
    const auto contents = ParseBaseFile("3\n0 1\r\n1 1 -2\n\t2 0   1 3");
    ASSERT_EQ(contents.status, LoadStatus::Loaded);
    ASSERT_EQ(contents.keys.size(), 3u);
    EXPECT_EQ(contents.keys[2].GetLength(), 2);
    EXPECT_EQ(contents.keys[2].GetScore(), 3);
    EXPECT_EQ(ParseBaseFile("0").status, LoadStatus::Loaded);
}

TEST(BaseFile, NamesTheFirstProblemAndItsLine) {
    struct Case {
        const char* text;
        size_t line;
        const char* words;
    };
    const Case cases[] = {
        {"", 1, "ends before the key count"},      {"2\n0 1\n", 3, "ends before a key's length"},
        {"1\n0 1\n\nextra\n", 4, "text follows"},  {"2\n1 1 -2\n0 1\n", 3, "ascending"},
        {"1\n3 1 0 0 -4\n", 2, "last value is 0"}, {"1\n2 1 1 99\n", 2, "impossible"},
        {"1\n1 1 -2 \n x", 3, "text follows"},     {"99999999999\n", 1, "out of range"},
    };
    for (const Case& c : cases) {
        const auto contents = ParseBaseFile(c.text);
        EXPECT_EQ(contents.status, LoadStatus::Damaged) << c.text;
        EXPECT_EQ(contents.problem.line, c.line) << c.text;
        EXPECT_NE(contents.problem.what.find(c.words), std::string::npos) << contents.problem.what;
    }
}

TEST(BaseFile, PlausibleScoresFollowTheirPosition) {
    auto plausible = [](std::vector<int32_t> values, int32_t score) {
        return table::IsPlausibleScore(table::PositionKey(values, score));
    };
    EXPECT_TRUE(plausible({}, 1));
    EXPECT_FALSE(plausible({}, -2));
    EXPECT_TRUE(plausible({1}, -2));
    EXPECT_TRUE(plausible({1, 0, 1, 0, 1, 0, 1}, -16));
    EXPECT_FALSE(plausible({1, 0, 1, 0, 1, 0, 1}, -18));  // only 16 sticks
    EXPECT_FALSE(plausible({0, 1}, 2));
    EXPECT_FALSE(plausible({0, 1}, -3));
    EXPECT_FALSE(plausible({2000000000, 2000000000, 2000000000}, 0));
    EXPECT_TRUE(plausible({2000000000, 2000000000, 2000000000}, 2147483647));
}

TEST(BaseFile, ReplacingLeavesOnlyTheTargetAndNeverClobbersADirectory) {
    testsupport::TempDir dir;
    EXPECT_TRUE(table::ReplaceFile("base.txt", "1\n", "0 1\n"));
    EXPECT_TRUE(table::ReplaceFile("base.txt", "0\n", ""));
    EXPECT_EQ(testsupport::ReadFile("base.txt"), "0\n");

    std::filesystem::create_directory("folder");
    EXPECT_FALSE(table::ReplaceFile("folder", "0\n", ""));
    EXPECT_TRUE(std::filesystem::is_directory("folder"));
    EXPECT_EQ(table::ReadBaseFile("folder").status, LoadStatus::Missing);

    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u);
}
