// What the lesson says, in the window and in the terminal, and the computer's opening move, in
// the user's language (text/translation.h). Every sentence is one text of the catalogue with its
// numbers and words put in at placeholders (%1, %2, ...), and every count stands beside its noun
// in one helper that takes the language's plural form.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lesson.h"

namespace engine {

// "1 stick", "3 sticks"; "1 row", "2 rows"; "1 single stick", "3 single sticks".
std::string SticksText(int32_t n);
std::string RowsText(int32_t n);
std::string SingleSticksText(int32_t n);

// "a, b and c": the items of a list as a sentence names them.
std::string ListText(const std::vector<std::string>& items);

// A row as a sum of powers of two, largest first: "4+2+1" for 7, "0" for an empty row.
std::string PowersText(int32_t sticks);
// A row in binary with at least `digits` digits: "0101" for 5 in four.
std::string BinaryText(int32_t sticks, int32_t digits);

// Why the lesson's move wins, or why every move loses, after the hint: the rows as powers of two,
// then the rule at work. The window shows it.
std::string LessonText(const Lesson& lesson);
// The same lesson line by line, as the terminal prints it: every row in binary and as powers of
// two, every power with the rows that hold it, then the rule at work and the winning moves.
std::vector<std::string> LessonLines(const Lesson& lesson);

// "The computer opened by taking 1 stick from row 0."
std::string OpeningText(const Move& move);

}  // namespace engine
