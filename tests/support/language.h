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

#include "text/translation.h"

namespace testsupport {

inline constexpr const char* kPseudoLanguage = "en@pseudo";

// Speaks `language` from now on (the tests run with LC_ALL=C.UTF-8, tests/language.cmake).
inline void Speak(const char* language) {
    ::setenv("LANGUAGE", language, 1);
    text::StartTranslation();
}

// Machine-read output, English in every language: the bench signature and --json.
inline constexpr const char* kAlwaysEnglish[] = {"signature: evaluations *", "{\"*"};

inline bool MachineRead(std::string_view text) {
    return std::any_of(
        std::begin(kAlwaysEnglish), std::end(kAlwaysEnglish),
        [text](const char* glob) { return ::fnmatch(glob, std::string(text).c_str(), 0) == 0; });
}

// What of a text shown in the pseudo-language stands outside the brackets, when it holds a
// letter and the text is not machine-read. A part cut from a longer text keeps only the bracket
// of its side.
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
    const bool letters = std::any_of(outside.begin(), outside.end(), ::isalpha);
    return letters && !MachineRead(text) ? outside : "";
}

// Every line a program printed in the pseudo-language came from the catalogue, the program's name
// before it aside; a text broken over several lines has its brackets on its first and last.
inline void ExpectMarkedLines(const std::string& output, const std::string& program) {
    std::istringstream lines(output);
    std::string shown;
    for (std::string line; std::getline(lines, line);) {
        line = line.starts_with(program + ": ") ? line.substr(program.size() + 2) : line;
        if (line.starts_with("⟦Your move:")) {
            line = line.substr(0, line.find("⟧") + 3);  // what follows the prompt was typed
        }
        shown += MachineRead(line) ? "\n" : line + '\n';
    }
    EXPECT_EQ(Unmarked(shown), "") << output;
}

}  // namespace testsupport
