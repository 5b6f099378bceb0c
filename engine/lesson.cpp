#include "engine/lesson.h"

#include <algorithm>
#include <numeric>

namespace engine {

namespace {

bool Long(int32_t sticks) {
    return sticks >= 2;
}

int32_t PowersLeftOdd(std::span<const int32_t> rows) {
    return std::accumulate(rows.begin(), rows.end(), 0,
                           [](int32_t odd, int32_t sticks) { return odd ^ std::max(sticks, 0); });
}

int32_t SinglesIn(std::span<const int32_t> rows) {
    return static_cast<int32_t>(std::count(rows.begin(), rows.end(), 1));
}

// Whether the move is one of the rule's winning moves in its stage.
bool WinsByRule(Stage stage, std::span<const int32_t> rows, const Move& move) {
    std::vector<int32_t> after(rows.begin(), rows.end());
    after[static_cast<size_t>(move.row)] -= move.number;
    const int32_t sticksLeft = std::accumulate(after.begin(), after.end(), 0);
    switch (stage) {
        case Stage::Pairing:  // it leaves every power an even number of times
            return PowersLeftOdd(after) == 0;
        case Stage::OneLongRow:  // it takes the long row to one or none, leaving odd singles
            return std::none_of(after.begin(), after.end(), Long) && SinglesIn(after) % 2 == 1;
        case Stage::SingleSticks:  // every move wins when the sticks are even
            return (sticksLeft + 1) % 2 == 0;
        case Stage::Over:
            break;
    }
    return false;
}

}  // namespace

std::vector<int32_t> Lesson::OddPowers() const {
    std::vector<int32_t> odd;
    for (int32_t k = kPowersOfTwo - 1; k >= 0; --k) {
        if (rowsWithPower[static_cast<size_t>(k)] % 2 == 1) {
            odd.push_back(1 << k);
        }
    }
    return odd;
}

Lesson Teach(std::span<const int32_t> rows, const ScoredMove& hint) {
    Lesson lesson;
    lesson.rows.assign(rows.begin(), rows.end());
    lesson.move = hint;
    const auto longRows = std::count_if(rows.begin(), rows.end(), Long);
    const bool anyStick = std::any_of(rows.begin(), rows.end(), [](int32_t s) { return s > 0; });
    lesson.stage = longRows >= 2   ? Stage::Pairing
                   : longRows == 1 ? Stage::OneLongRow
                   : anyStick      ? Stage::SingleSticks
                                   : Stage::Over;
    for (const int32_t sticks : rows) {
        for (int32_t k = 0; k < kPowersOfTwo; ++k) {
            lesson.rowsWithPower[static_cast<size_t>(k)] += sticks > 0 && (sticks >> k) % 2 == 1;
        }
    }
    for (int32_t r = 0; r < static_cast<int32_t>(rows.size()); ++r) {
        for (int32_t n = 1; n <= rows[static_cast<size_t>(r)]; ++n) {
            if (WinsByRule(lesson.stage, rows, Move{r, n})) {
                lesson.winningMoves.push_back(Move{r, n});
            }
        }
    }
    const auto& wins = lesson.winningMoves;
    if (!wins.empty() && std::find(wins.begin(), wins.end(), hint.move) == wins.end()) {
        lesson.move = {wins.front(), hint.score};
    }
    const Move& move = lesson.move.move;
    if (move.row >= 0 && move.row < static_cast<int32_t>(rows.size())) {
        std::vector<int32_t> after = lesson.rows;
        after[static_cast<size_t>(move.row)] -= move.number;
        lesson.singlesLeft = SinglesIn(after);
    }
    return lesson;
}

}  // namespace engine
