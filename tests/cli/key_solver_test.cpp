// The independent solver that `verify` trusts: scores worked out by hand, which positions a game
// can reach, and agreement with the engine all over the seven-row game.

#include "cli/key_solver.h"

#include <gtest/gtest.h>

#include <random>

#include "cli/transcript.h"
#include "engine/game_engine.h"

namespace {

TEST(KeySolver, ScoresWorkedOutByHand) {
    const std::pair<clitest::Rows, int32_t> cases[] = {{{}, 1},
                                                       {{1}, -2},
                                                       {{1, 1}, 3},
                                                       {{2}, 3},
                                                       {{2, 2}, -4},
                                                       {{1, 1, 1}, -4},
                                                       {{1, 2, 3}, -6},
                                                       {{2, 2, 1}, 5},
                                                       {{1, 3, 5}, 7},
                                                       {{1, 3, 5, 7}, -16},
                                                       {{1, 3, 5, 7, 9, 11, 13}, 39}};
    cli::KeySolver solver;
    for (const auto& [rows, score] : cases) {
        EXPECT_EQ(solver.Score(clitest::Counts(rows)), score) << testing::PrintToString(rows);
    }
    // Every position of the seven-row game, the start and the empty board included, once.
    EXPECT_EQ(solver.PositionsScored(), 21318u);
}

TEST(KeySolver, ReachableWithinTheSevenRowStart) {
    auto reachable = [](const clitest::Rows& rows) {
        return cli::KeySolver::Reachable(clitest::Counts(rows));
    };
    EXPECT_TRUE(reachable({1, 3, 5, 7, 9, 11, 13}));
    EXPECT_TRUE(reachable({13, 11}));
    EXPECT_TRUE(reachable({1, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(reachable({14}));
    EXPECT_FALSE(reachable({13, 13}));
    EXPECT_FALSE(reachable({2, 3, 5, 7, 9, 11, 13}));
    EXPECT_FALSE(reachable({1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(cli::KeySolver().Score(clitest::Counts({8, 8, 8, 8})), 0);
}

TEST(KeySolver, AgreesWithTheEngineAllOverTheBoard) {
    cli::KeySolver solver;
    auto positionTable = std::make_shared<table::PositionTable>("");
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        clitest::Rows rows(1 + random() % 7);
        for (size_t r = 0; r < rows.size(); ++r) {
            rows[r] = static_cast<int32_t>(random() % (2 * r + 2));
        }
        engine::GameEngine game(positionTable);
        game.SetRows(rows);
        ASSERT_EQ(solver.Score(clitest::Counts(rows)), game.Evaluate())
            << testing::PrintToString(rows);
    }
}

}  // namespace
