#include <gtest/gtest.h>

#include "engine/game_engine.h"
#include "support/temp_dir.h"

using engine::GameEngine;
using engine::Move;

namespace {

std::vector<int32_t> Rows(const GameEngine& e) {
    std::vector<int32_t> rows;
    for (int32_t i = 0; i < e.GetRowCount(); ++i) {
        rows.push_back(e.GetSticks(i));
    }
    return rows;
}

}  // namespace

TEST(GameEngine, StartsWithFourRowsAndResizesKeepingLeadingRows) {
    testsupport::TempDir dir;
    GameEngine e;
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5, 7}));
    ASSERT_NE(e.GetTable(), nullptr);

    e.Resize(7);
    const std::vector<int32_t> grown = Rows(e);
    ASSERT_EQ(grown.size(), 7u);
    EXPECT_EQ(std::vector<int32_t>(grown.begin(), grown.begin() + 4),
              (std::vector<int32_t>{1, 3, 5, 7}));
    e.Reset();
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5, 7, 9, 11, 13}));
    e.ApplyMove(Move{6, 4});
    e.Resize(3);
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5}));
    e.Reset();
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5}));

    e.Resize(-2);
    EXPECT_EQ(e.GetRowCount(), 0);
    EXPECT_TRUE(e.IsEmpty());
    EXPECT_EQ(e.GetSticks(0), 0);
}

TEST(GameEngine, MovesAreCheckedAndInvalidOnesChangeNothing) {
    GameEngine e(true);
    e.SetRows({1, 3, 5, 7});
    EXPECT_FALSE(e.ApplyMove(Move{-1, 1}));
    EXPECT_FALSE(e.ApplyMove(Move{4, 1}));
    EXPECT_FALSE(e.ApplyMove(Move{1, 4}));
    EXPECT_FALSE(e.ApplyMove(Move{1, -1})) << "a negative number would grow the row";
    EXPECT_FALSE(e.ApplyMove(Move{}));
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5, 7}));
    EXPECT_TRUE(e.ApplyMove(Move{2, 0}));
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5, 7}));
    EXPECT_TRUE(e.ApplyMove(Move{3, 7}));
    EXPECT_EQ(Rows(e), (std::vector<int32_t>{1, 3, 5, 0}));
    EXPECT_EQ(e.GetSticks(-1), 0);
    EXPECT_EQ(e.GetSticks(4), 0);

    Move m;
    EXPECT_EQ(m.GetRow(), -1);
    EXPECT_EQ(m.GetNumber(), 0);
    m.Set(2, 3);
    EXPECT_EQ(m, (Move{2, 3}));
}

TEST(GameEngine, EmptinessIsTheEndOfTheGame) {
    GameEngine e(true);
    e.SetRows({0, 0, 0, 0});
    EXPECT_TRUE(e.IsEmpty());
    e.SetRows({0, 0, 1, 0});
    EXPECT_FALSE(e.IsEmpty());
    e.SetRows({});
    EXPECT_TRUE(e.IsEmpty());
}

TEST(GameEngine, SetFromCopiesThePositionAndSharesTheTable) {
    testsupport::TempDir dir;
    GameEngine source;
    GameEngine copy(true);
    EXPECT_EQ(copy.GetTable(), nullptr);
    copy.SetFrom(source);
    EXPECT_EQ(copy.GetTable(), source.GetTable());
    copy.ApplyMove(Move{3, 7});
    EXPECT_EQ(Rows(source), (std::vector<int32_t>{1, 3, 5, 7}));
    EXPECT_EQ(Rows(copy), (std::vector<int32_t>{1, 3, 5, 0}));
}
