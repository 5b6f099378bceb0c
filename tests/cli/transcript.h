// Reading back what `play` printed, and replaying it on a board of the test's own, so that a
// test checks the whole conversation rather than a few lines of it: every board printed is the
// board that the moves told so far leave, a rejected line really was not a legal move, the
// computer's every move is legal and as good as a move can be, and the game ends with the
// window's message for whoever took the last stick.
#pragma once

#include <cstdint>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/key_solver.h"

namespace clitest {

using Rows = std::vector<int32_t>;

inline Rows StartRows(int32_t rowCount) {
    Rows rows;
    for (int32_t i = 0; i < rowCount; ++i) {
        rows.push_back(2 * i + 1);
    }
    return rows;
}

inline bool Empty(const Rows& rows) {
    for (int32_t sticks : rows) {
        if (sticks > 0) {
            return false;
        }
    }
    return true;
}

inline std::vector<int32_t> Counts(const Rows& rows) {
    std::vector<int32_t> counts;
    for (int32_t sticks : rows) {
        if (sticks > 0) {
            if (counts.size() < static_cast<size_t>(sticks)) {
                counts.resize(static_cast<size_t>(sticks), 0);
            }
            ++counts[static_cast<size_t>(sticks - 1)];
        }
    }
    return counts;
}

struct Choice {
    int32_t row = -1;
    int32_t number = 0;
};

// The score, for the player to move, of taking `number` from `row`.
inline int32_t MoveValue(cli::KeySolver& solver, Rows rows, int32_t row, int32_t number) {
    rows[static_cast<size_t>(row)] -= number;
    const int32_t child = solver.Score(Counts(rows));
    return child > 0 ? -(child + 1) : 1 - child;
}

// The best move by the game's rule (quickest win, else slowest loss), the first of equals in
// the order rows from 0 up, sticks from 1 up.
inline Choice BestMove(cli::KeySolver& solver, const Rows& rows) {
    const int32_t best = solver.Score(Counts(rows));
    for (int32_t r = 0; r < static_cast<int32_t>(rows.size()); ++r) {
        for (int32_t n = 1; n <= rows[static_cast<size_t>(r)]; ++n) {
            if (MoveValue(solver, rows, r, n) == best) {
                return {r, n};
            }
        }
    }
    return {};
}

struct Replay {
    std::vector<std::string> errors;  // empty when the transcript is consistent
    int humanMoves = 0;
    int computerMoves = 0;
    int rejected = 0;  // lines answered with a problem
    Rows finalRows;
    std::string lastLine;
};

// Replays the output of a game of `rowCount` rows whose input was echoed after each prompt.
inline Replay ReplayTranscript(const std::string& text, int32_t rowCount) {
    static const std::regex boardLine(R"((\d+):((?: \|)*))");
    static const std::regex computerLine(R"(The computer took (\d+) sticks from row (\d+))");
    static const std::regex twoNumbers(R"(\s*([+-]?\d{1,9})\s+([+-]?\d{1,9})\s*)");
    Replay replay;
    cli::KeySolver solver;
    Rows rows = StartRows(rowCount);
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            lines.push_back(line);
        }
    }
    auto fail = [&](size_t i, const std::string& what) {
        replay.errors.push_back("line " + std::to_string(i + 1) + " (" +
                                (i < lines.size() ? lines[i] : std::string("end")) + "): " + what);
    };
    // Reads the board that starts at line i (after a blank line) and checks it against `rows`.
    auto expectBoard = [&](size_t& i) {
        if (i >= lines.size() || !lines[i].empty()) {
            fail(i, "expected a blank line before the board");
            return;
        }
        ++i;
        for (int32_t r = rowCount - 1; r >= 0; --r, ++i) {
            std::smatch m;
            if (i >= lines.size() || !std::regex_match(lines[i], m, boardLine) ||
                std::stoi(m[1]) != r ||
                static_cast<int32_t>(m[2].length() / 2) != rows[static_cast<size_t>(r)]) {
                fail(i, "expected row " + std::to_string(r) + " with " +
                            std::to_string(rows[static_cast<size_t>(r)]) + " sticks");
                return;
            }
        }
        if (i >= lines.size() || !lines[i].empty()) {
            fail(i, "expected a blank line after the board");
        }
        ++i;
    };
    size_t i = 0;
    while (i < lines.size() && !lines[i].empty()) {
        ++i;  // the introduction
    }
    expectBoard(i);
    bool humanMovedLast = false;
    bool sawEnd = false;
    while (i < lines.size() && replay.errors.empty()) {
        const std::string& line = lines[i];
        replay.lastLine = line;
        if (line == "The computer is thinking.") {
            std::smatch m;
            ++i;
            if (i >= lines.size() || !std::regex_match(lines[i], m, computerLine)) {
                fail(i, "expected the computer's move");
                break;
            }
            const int32_t number = std::stoi(m[1]);
            const int32_t row = std::stoi(m[2]);
            if (row >= rowCount || number < 1 || number > rows[static_cast<size_t>(row)]) {
                fail(i, "the computer's move is not legal");
                break;
            }
            const Choice best = BestMove(solver, rows);
            if (best.row != row || best.number != number) {
                fail(i, "the computer should take " + std::to_string(best.number) + " from row " +
                            std::to_string(best.row));
            }
            rows[static_cast<size_t>(row)] -= number;
            ++replay.computerMoves;
            humanMovedLast = false;
            ++i;
            expectBoard(i);
        } else if (line.starts_with("Your move: ")) {
            const std::string typed = line.substr(11);
            ++i;
            std::smatch m;
            const bool legal = std::regex_match(typed, m, twoNumbers) && std::stoi(m[1]) >= 0 &&
                               std::stoi(m[1]) < rowCount && std::stoi(m[2]) >= 1 &&
                               std::stoi(m[2]) <= rows[static_cast<size_t>(std::stoi(m[1]))];
            if (i < lines.size() && !lines[i].empty()) {
                if (legal) {
                    fail(i, "a legal move was refused");
                }
                ++replay.rejected;
                ++i;  // the one line that says what is wrong
            } else if (i < lines.size() && legal) {
                rows[static_cast<size_t>(std::stoi(m[1]))] -= std::stoi(m[2]);
                ++replay.humanMoves;
                humanMovedLast = true;
                expectBoard(i);
            } else if (i < lines.size()) {
                fail(i, "an illegal move was played");
            }
        } else if (line == "You lose, you took the last stick." ||
                   line == "You win, the computer took the last stick.") {
            if (!Empty(rows)) {
                fail(i, "the game ended with sticks left");
            } else if ((line[4] == 'l') != humanMovedLast) {
                fail(i, "the end message names the wrong player");
            }
            sawEnd = true;
            ++i;
            if (i != lines.size()) {
                fail(i, "output goes on after the end of the game");
            }
        } else if (line.empty() && i + 1 == lines.size()) {
            ++i;  // the end of input ends the open prompt's line
        } else {
            fail(i, "unexpected line");
            break;
        }
    }
    if (Empty(rows) && !sawEnd && replay.errors.empty()) {
        fail(lines.size(), "the board is empty but no end message was printed");
    }
    replay.finalRows = rows;
    return replay;
}

inline std::string Describe(const Replay& replay) {
    std::string text;
    for (const std::string& error : replay.errors) {
        text += error + '\n';
    }
    return text;
}

}  // namespace clitest
