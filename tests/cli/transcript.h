// Reads back what `play` printed (with each typed line echoed after its prompt) and replays it
// on a board of the test's own: every board printed is the board the moves so far leave, only
// illegal lines are refused, the computer's every move is the best one (by an independent
// solver, first of equals), and the end message names whoever took the last stick.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/key_solver.h"

namespace clitest {

using Rows = std::vector<int32_t>;

inline std::vector<int32_t> Counts(const Rows& rows) {
    std::vector<int32_t> counts;
    for (int32_t sticks : rows) {
        if (sticks > 0) {
            counts.resize(std::max(counts.size(), static_cast<size_t>(sticks)), 0);
            ++counts[static_cast<size_t>(sticks - 1)];
        }
    }
    return counts;
}

// The best move by the game's rule, the first of equals in the order rows up, sticks up.
inline std::pair<int32_t, int32_t> BestMove(cli::KeySolver& solver, const Rows& rows) {
    const int32_t best = solver.Score(Counts(rows));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int32_t n = 1; n <= rows[r]; ++n) {
            Rows child = rows;
            child[r] -= n;
            const int32_t s = solver.Score(Counts(child));
            if ((s > 0 ? -(s + 1) : 1 - s) == best) {
                return {static_cast<int32_t>(r), n};
            }
        }
    }
    return {-1, 0};
}

// Two decimal numbers of at most three digits, nothing else but blanks.
inline bool TwoNumbers(const std::string& text, int32_t& first, int32_t& second) {
    std::istringstream in(text);
    std::string a, b, rest;
    auto small = [](const std::string& word) {
        return !word.empty() && word.size() <= 3 &&
               word.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!(in >> a >> b) || (in >> rest) || !small(a) || !small(b)) {
        return false;
    }
    first = std::stoi(a);
    second = std::stoi(b);
    return true;
}

// "The computer took N sticks from row R", exactly.
inline bool ComputerMove(const std::string& line, int32_t& row, int32_t& number) {
    int consumed = 0;
    return std::sscanf(line.c_str(), "The computer took %d sticks from row %d%n", &number, &row,
                       &consumed) == 2 &&
           static_cast<size_t>(consumed) == line.size() &&
           line == "The computer took " + std::to_string(number) + " sticks from row " +
                       std::to_string(row);
}

struct Replay {
    std::string error;  // empty when the transcript is consistent
    int humanMoves = 0;
    int computerMoves = 0;
    int rejected = 0;
    std::string lastLine;
};

inline Replay ReplayTranscript(const std::string& text, int32_t rowCount) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    Replay replay;
    cli::KeySolver solver;
    Rows rows;
    for (int32_t r = 0; r < rowCount; ++r) {
        rows.push_back(2 * r + 1);
    }
    size_t i = 0;
    auto fail = [&](const std::string& what) {
        replay.error = "line " + std::to_string(i + 1) + ": " + what;
        return replay;
    };
    auto board = [&]() {  // a blank line, the rows top first, a blank line
        std::string expected = "\n";
        for (int32_t r = rowCount - 1; r >= 0; --r) {
            expected += std::to_string(r) + ":";
            for (int32_t k = 0; k < rows[static_cast<size_t>(r)]; ++k) {
                expected += " |";
            }
            expected += '\n';
        }
        expected += '\n';
        std::string actual;
        for (size_t k = i; k < lines.size() && k < i + static_cast<size_t>(rowCount) + 2; ++k) {
            actual += lines[k] + '\n';
        }
        i += static_cast<size_t>(rowCount) + 2;
        return actual == expected;
    };
    while (i < lines.size() && !lines[i].empty()) {
        ++i;  // the introduction
    }
    if (!board()) {
        return fail("not the starting board");
    }
    bool humanMovedLast = false;
    for (; i < lines.size(); ++i) {
        const std::string& line = replay.lastLine = lines[i];
        int32_t row = 0;
        int32_t number = 0;
        if (line == "The computer is thinking." && i + 1 < lines.size() &&
            ComputerMove(lines[i + 1], row, number)) {
            const std::pair<int32_t, int32_t> played{row, number};
            if (played != BestMove(solver, rows)) {
                return fail("not the computer's best move");
            }
            rows[static_cast<size_t>(played.first)] -= played.second;
            ++replay.computerMoves;
            humanMovedLast = false;
            i += 2;
            if (!board()) {
                return fail("the board does not follow the computer's move");
            }
            --i;
        } else if (line.starts_with("Your move: ")) {
            const std::string typed = line.substr(11);
            const bool legal = TwoNumbers(typed, row, number) && row < rowCount && number >= 1 &&
                               number <= rows[static_cast<size_t>(row)];
            if (i + 1 < lines.size() && !lines[i + 1].empty()) {
                if (legal) {
                    return fail("a legal move was refused");
                }
                ++replay.rejected;
                ++i;  // the one line saying what is wrong
            } else if (i + 1 < lines.size()) {
                if (!legal) {
                    return fail("an illegal move was played");
                }
                rows[static_cast<size_t>(row)] -= number;
                ++replay.humanMoves;
                humanMovedLast = true;
                ++i;
                if (!board()) {
                    return fail("the board does not follow the human's move");
                }
                --i;
            }
        } else if (line == "You lose, you took the last stick." ||
                   line == "You win, the computer took the last stick.") {
            if (Counts(rows).size() != 0 || (line[4] == 'l') != humanMovedLast ||
                i + 1 != lines.size()) {
                return fail("a wrong end of the game");
            }
        } else {
            return fail("unexpected: " + line);
        }
    }
    if (Counts(rows).empty() && !replay.lastLine.starts_with("You ")) {
        return fail("the board is empty but no end message was printed");
    }
    return replay;
}

}  // namespace clitest
