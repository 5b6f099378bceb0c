// The text of a base file, `torvelbase.txt`: a count line, then one key per line in the table's
// ascending order ("3 1 0 1 -4"), every line ended by '\n'. This is only the reading of that text;
// where the file lies and how it is read and replaced is base_file.h.
//
// A text is taken only when it meets the table's invariants; anything else is damaged, with the
// first problem and its line, and nothing is sized by an unchecked number. Every key must be a
// position that some game can reach, so no file, however made, gives the table more keys than
// the largest game has positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "table/position_key.h"

namespace table {

inline constexpr const char* kBaseFileName = "torvelbase.txt";
// Every position of the seven-row game, the largest, holds 21318 keys; written with CR LF line
// ends they take under 750 KB.
inline constexpr int32_t kMaxBaseKeys = 21318;
inline constexpr size_t kMaxBaseFileBytes = 1 << 20;

struct BaseFileProblem {
    size_t line = 0;  // 1-based line of the offending text; 0 when the file could not be read
    std::string what;
};

// Missing: no file there. Damaged: a file whose text is not a table. Unreadable: something the
// run must leave alone: a file it may not read, or a name that is not a regular file.
enum class LoadStatus { Missing, Loaded, Damaged, Unreadable };

// The 1-based lines on which a key of the file starts and on which its score stands.
struct KeyLines {
    size_t key = 0;
    size_t score = 0;
};

struct BaseFileContents {
    LoadStatus status = LoadStatus::Missing;
    std::vector<PositionKey> keys;  // in file order, which is ascending when Loaded
    std::vector<KeyLines> lines;    // one for each key, in the same order
    BaseFileProblem problem;        // set when Damaged or Unreadable
};

// Parses the text of a base file and checks it. Never throws.
BaseFileContents ParseBaseFile(std::string_view text);

// Whether `score` is one that some position of the key could have: non-zero, positive odd or
// negative even, at most one more than the key's sticks in size, and 1 for the empty key.
bool IsPlausibleScore(const PositionKey& key);

// Whether some game of up to seven rows (1, 3, ..., 13 sticks at the start) reaches a position
// with these counts (entry k-1 counts the rows of k sticks): at most seven rows which, largest
// first, fit under 13, 11, 9, 7, 5, 3 and 1 sticks. Exactly kMaxBaseKeys positions do.
bool CanArise(std::span<const int32_t> counts);

}  // namespace table
