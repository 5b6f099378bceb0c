// The independent solver that `verify` trusts: the scores worked out by hand, which positions a
// game can reach, and agreement with the engine on positions all over the seven-row game.

#include "cli/key_solver.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "cli/transcript.h"
#include "engine/game_engine.h"
#include "table/position_table.h"

namespace {

int32_t ScoreOfRows(cli::KeySolver& solver, const clitest::Rows& rows) {
    return solver.Score(clitest::Counts(rows));
}

TEST(KeySolver, ScoresWorkedOutByHand) {
    cli::KeySolver solver;
    EXPECT_EQ(ScoreOfRows(solver, {}), 1);
    EXPECT_EQ(ScoreOfRows(solver, {1}), -2);
    EXPECT_EQ(ScoreOfRows(solver, {1, 1}), 3);
    EXPECT_EQ(ScoreOfRows(solver, {2}), 3);
    EXPECT_EQ(ScoreOfRows(solver, {2, 2}), -4);
    EXPECT_EQ(ScoreOfRows(solver, {1, 1, 1}), -4);
    EXPECT_EQ(ScoreOfRows(solver, {1, 2, 3}), -6);
    EXPECT_EQ(ScoreOfRows(solver, {3, 3}), -6);
    EXPECT_EQ(ScoreOfRows(solver, {2, 2, 1}), 5);
    EXPECT_EQ(ScoreOfRows(solver, {1, 3, 5}), 7);
    EXPECT_EQ(ScoreOfRows(solver, {1, 3, 5, 7}), -16);
    EXPECT_EQ(ScoreOfRows(solver, {1, 3, 5, 7, 9}), 17);
    EXPECT_EQ(ScoreOfRows(solver, {1, 3, 5, 7, 9, 11}), 35);
    EXPECT_EQ(ScoreOfRows(solver, {1, 3, 5, 7, 9, 11, 13}), 39);
}

TEST(KeySolver, TheSevenRowGameHoldsEveryKeyOnce) {
    // Every position of the seven-row game is scored once: 21318 keys with the start and the
    // empty position.
    cli::KeySolver solver;
    ScoreOfRows(solver, {1, 3, 5, 7, 9, 11, 13});
    EXPECT_EQ(solver.PositionsScored(), 21318u);
}

TEST(KeySolver, ReachableWithinTheSevenRowStart) {
    using cli::KeySolver;
    auto reachable = [](const clitest::Rows& rows) {
        return KeySolver::Reachable(clitest::Counts(rows));
    };
    EXPECT_TRUE(reachable({}));
    EXPECT_TRUE(reachable({13}));
    EXPECT_FALSE(reachable({14}));
    EXPECT_FALSE(reachable({13, 13}));
    EXPECT_TRUE(reachable({13, 11}));
    EXPECT_TRUE(reachable({1, 3, 5, 7, 9, 11, 13}));
    EXPECT_FALSE(reachable({2, 3, 5, 7, 9, 11, 13}));
    EXPECT_TRUE(reachable({1, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(reachable({1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(reachable({3, 3, 3}));
    EXPECT_FALSE(reachable({8, 8, 8, 8}));  // a fourth row of 8 would need row 3, of 7
    EXPECT_FALSE(KeySolver::Reachable(std::vector<int32_t>{-1}));
    EXPECT_EQ(KeySolver().Score(std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}), 0);
}

TEST(KeySolver, AgreesWithTheEngineAllOverTheBoard) {
    cli::KeySolver solver;
    auto positionTable = std::make_shared<table::PositionTable>("");
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        const int32_t rowCount = 1 + static_cast<int32_t>(random() % 7);
        clitest::Rows rows;
        for (int32_t r = 0; r < rowCount; ++r) {
            rows.push_back(static_cast<int32_t>(random() % (2 * r + 2)));
        }
        engine::GameEngine game(positionTable);
        game.SetRows(rows);
        ASSERT_EQ(ScoreOfRows(solver, rows), game.Evaluate()) << ::testing::PrintToString(rows);
    }
}

}  // namespace
