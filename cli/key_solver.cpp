#include "cli/key_solver.h"

#include <vector>

namespace cli {

bool KeySolver::Reachable(std::span<const int32_t> counts) {
    if (counts.size() > static_cast<size_t>(kLargestRow)) {
        return false;
    }
    std::vector<int32_t> sizes;
    for (size_t size = 1; size <= counts.size(); ++size) {
        const int32_t rows = counts[size - 1];
        if (rows < 0 || static_cast<int64_t>(sizes.size()) + rows > engine::kMostRows) {
            return false;
        }
        sizes.insert(sizes.end(), static_cast<size_t>(rows), static_cast<int32_t>(size));
    }
    return engine::FitsBoard(sizes);
}

int32_t KeySolver::Score(std::span<const int32_t> counts) {
    if (!Reachable(counts)) {
        return 0;
    }
    Counts position{};
    for (size_t i = 0; i < counts.size(); ++i) {
        position[i] = counts[i];
    }
    return Search(position);
}

uint64_t KeySolver::Code(const Counts& counts) {
    uint64_t code = 0;
    for (int32_t rows : counts) {
        code = code << 3 | static_cast<uint64_t>(rows);  // at most seven rows of a size
    }
    return code;
}

int32_t KeySolver::Search(Counts& counts) {
    const uint64_t code = Code(counts);
    if (auto found = memo.find(code); found != memo.end()) {
        return found->second;
    }
    int32_t quickestWin = 0;
    int32_t slowestLoss = 0;
    bool anyMove = false;
    for (int32_t size = 1; size <= kLargestRow; ++size) {
        if (counts[size - 1] == 0) {
            continue;  // rows of one size all offer the same moves
        }
        for (int32_t take = 1; take <= size; ++take) {
            anyMove = true;
            --counts[size - 1];
            if (size > take) {
                ++counts[size - take - 1];
            }
            const int32_t child = Search(counts);
            if (size > take) {
                --counts[size - take - 1];
            }
            ++counts[size - 1];
            const int32_t mine = child > 0 ? -(child + 1) : 1 - child;
            if (mine > 0 && (quickestWin == 0 || mine < quickestWin)) {
                quickestWin = mine;
            }
            if (mine < 0 && mine < slowestLoss) {
                slowestLoss = mine;
            }
        }
    }
    const int32_t score = !anyMove ? 1 : quickestWin > 0 ? quickestWin : slowestLoss;
    memo.emplace(code, score);
    return score;
}

}  // namespace cli
