// The lesson's claims against a plain memoised solver of misere Nim, over every position a game of
// up to seven rows can reach: who wins, which powers of two come an odd number of times, every
// winning move, and the pairing move or the single-stick rule that the lesson names.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "engine/lesson.h"

namespace {

using Rows = std::vector<int32_t>;

// Whether the player to move wins, both sides playing their best: the one who takes the last
// stick loses, so with none left the player to move has won.
bool Wins(Rows rows, std::map<Rows, bool>& memo) {
    std::sort(rows.begin(), rows.end());
    if (const auto known = memo.find(rows); known != memo.end()) {
        return known->second;
    }
    bool wins = std::accumulate(rows.begin(), rows.end(), 0) == 0;
    for (size_t r = 0; r < rows.size() && !wins; ++r) {
        for (int32_t n = 1; n <= rows[r] && !wins; ++n) {
            Rows child = rows;
            child[r] -= n;
            wins = !Wins(child, memo);
        }
    }
    return memo[rows] = wins;
}

TEST(Lesson, EveryReachablePositionAgreesWithAPlainSolver) {
    std::vector<Rows> positions{{}};  // row sizes, largest first, under 13, 11, 9, ..., 1
    for (int32_t place = 0; place < 7; ++place) {
        std::vector<Rows> longer;
        for (const Rows& rows : positions) {
            for (int32_t s = 0; s <= std::min(rows.empty() ? 13 : rows.back(), 13 - 2 * place);
                 ++s) {
                longer.push_back(rows);
                longer.back().push_back(s);
            }
        }
        positions = std::move(longer);
    }
    ASSERT_EQ(positions.size(), 21318u);
    std::map<Rows, bool> memo;
    for (const Rows& rows : positions) {
        std::vector<engine::Move> winning, moves;
        for (int32_t r = 0; r < 7; ++r) {
            for (int32_t n = 1; n <= rows[size_t(r)]; ++n) {
                Rows child = rows;
                child[size_t(r)] -= n;
                moves.push_back({r, n});
                winning.insert(winning.end(), !Wins(child, memo), {r, n});
            }
        }
        const bool wins = Wins(rows, memo);
        // The hint's move: the last winning move (any quickest win is one), else the first move.
        const engine::ScoredMove hint{
            winning.empty() ? (moves.empty() ? engine::Move{} : moves[0]) : winning.back(),
            wins ? 3 : -2};
        const engine::Lesson lesson = engine::Teach(rows, hint);
        const std::string at = ::testing::PrintToString(rows);
        const int32_t sticks = std::accumulate(rows.begin(), rows.end(), 0);
        if (sticks == 0) {  // the game is over: nothing to explain
            ASSERT_TRUE(lesson.stage == engine::Stage::Over && !lesson.Wins());
            continue;
        }
        ASSERT_EQ(lesson.Wins(), wins) << at;
        ASSERT_EQ(lesson.winningMoves, winning) << at;
        ASSERT_EQ(lesson.move.move, hint.move) << at;
        const int32_t odd = std::accumulate(rows.begin(), rows.end(), 0, std::bit_xor<>());
        std::vector<int32_t> oddPowers;
        for (int32_t power = 8; power > 0; power /= 2) {
            oddPowers.insert(oddPowers.end(), (odd & power) != 0, power);
        }
        ASSERT_EQ(lesson.OddPowers(), oddPowers) << at;
        const auto longRows =
            std::count_if(rows.begin(), rows.end(), [](int32_t s) { return s > 1; });
        Rows after = rows;
        after[size_t(hint.move.row)] -= hint.move.number;
        const int32_t sticksAfter = std::accumulate(after.begin(), after.end(), 0);
        const int32_t singlesAfter = int32_t(std::count(after.begin(), after.end(), 1));
        switch (lesson.stage) {
            case engine::Stage::Pairing:  // the pairing move leaves every power even
                ASSERT_GE(longRows, 2) << at;
                ASSERT_TRUE(!wins ||
                            std::accumulate(after.begin(), after.end(), 0, std::bit_xor<>()) == 0)
                    << at;
                break;
            case engine::Stage::OneLongRow:  // one move, leaving an odd number of single sticks
                ASSERT_TRUE(longRows == 1 && winning.size() == 1u) << at;
                ASSERT_TRUE(singlesAfter == sticksAfter && lesson.singlesLeft == sticksAfter &&
                            sticksAfter % 2 == 1)
                    << at;
                break;
            case engine::Stage::SingleSticks:  // even sticks win, with any move
                ASSERT_TRUE(longRows == 0 && sticks > 0 && wins == (sticks % 2 == 0)) << at;
                ASSERT_EQ(lesson.singlesLeft, sticks - 1) << at;
                break;
            case engine::Stage::Over:
                FAIL() << at;
        }
    }
}

}  // namespace
