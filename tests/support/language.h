// The language of a test, and the pseudo-language that shows whether a text came through the
// catalogue: the build makes it from po/torvel.pot with every line of every text between ⟦ and
// ⟧, so that a word outside them was never looked up.
#pragma once

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <string_view>

#include "table/translation.h"

namespace testsupport {

inline constexpr const char* kPseudoLanguage = "en@pseudo";

// LANGUAGE for as long as it lives (the tests run with LC_ALL=C.UTF-8, tests/language.cmake).
class Language {
  public:
    explicit Language(const char* language) {
        ::setenv("LANGUAGE", language, 1);
        table::StartTranslation();
    }
    ~Language() {
        ::unsetenv("LANGUAGE");
        table::StartTranslation();
    }
};

// Texts that files not yet translated still show unmarked, as fnmatch(3) patterns. Each goes when
// its file marks its texts; the list is then empty.
inline constexpr const char* kNotYetMarked[] = {
    // view/board_accessible.cpp, view/board_hint.cpp
    "Board", "Play", "Row *: * stick*", "Looking for the best move...",
    // engine/hint.cpp
    "You can win: take *", "You cannot win: take *",
    // cli/terminal_game.cpp, cli/play.cpp
    "Take one or more sticks from a single row; whoever takes the last stick loses. Rows are",
    "counted from 0, the row that starts with one stick. Type your move as the row and the",
    "number of sticks (\"3 2\" takes 2 sticks from row 3), hint (or ?) for a hint, or q to quit.",
    "Your move: *", "The computer is thinking.", "You win, the computer took the last stick.",
    "There is no row *", "Row * has only *", "Type the row and the number of sticks *", "--save *",
    "--rows given twice", "unknown play option *", "play takes no position: *",
    // cli/review.cpp, cli/usage.cpp
    "*. human takes *", "*. computer takes *", "The game goes on from *", "'*' cannot be read: *",
    "review needs the file of a saved game", "review takes one file, not also *",
    // table/base_file.cpp
    "the base file '*' is damaged (line *); starting with an empty table",
    "the damaged base file '*' was set aside as '*'"};

// Machine-read output, English in every language: the bench signature and --json.
inline constexpr const char* kAlwaysEnglish[] = {"signature: evaluations *", "{\"*"};
// What of a text shown in the pseudo-language stands outside the brackets, when it holds a
// letter and the text is not one of those not yet marked. A part cut from a longer text keeps
// only the bracket of its side.
inline std::string Unmarked(std::string_view text) {
    std::string outside;
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 3) == "⟦" || text.substr(i, 3) == "⟧") {
            depth += text[i + 2] == '\xa6' ? 1 : -1;
            outside = depth < 0 ? "" : outside;  // a ⟧ with no ⟦: all before it was inside
            depth = std::max(depth, 0);
            i += 2;
        } else if (depth == 0) {
            outside += text[i];
        }
    }
    auto matches = [text](const char* glob) {
        return ::fnmatch(glob, std::string(text).c_str(), 0) == 0;
    };
    const bool allowed = std::any_of(std::begin(kNotYetMarked), std::end(kNotYetMarked), matches) ||
                         std::any_of(std::begin(kAlwaysEnglish), std::end(kAlwaysEnglish), matches);
    const bool letters = std::any_of(outside.begin(), outside.end(), ::isalpha);
    return letters && !allowed ? outside : "";
}

// Every line a program printed in the pseudo-language came from the catalogue, the program's name
// before it aside.
inline void ExpectMarkedLines(const std::string& output, const std::string& program) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        line = line.starts_with(program + ": ") ? line.substr(program.size() + 2) : line;
        EXPECT_EQ(Unmarked(line), "") << line;
    }
}

}  // namespace testsupport
