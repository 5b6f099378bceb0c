// What the lesson says, in the window and in the terminal, in the user's language
// (text/translation.h). Every sentence is one text of the catalogue with its
// numbers and words put in at placeholders (%1, %2, ...), and every count stands beside its noun
// in one helper that takes the language's plural form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/lesson.h"

namespace engine {

// Why the lesson's move wins, or why every move loses, after the hint: the rows as powers of two,
// then the rule at work. The window shows it.
std::string LessonText(const Lesson& lesson);
// The same lesson line by line, as the terminal prints it: every row in binary and as powers of
// two, every power with the rows that hold it, then the rule at work and the winning moves.
std::vector<std::string> LessonLines(const Lesson& lesson);

}  // namespace engine
