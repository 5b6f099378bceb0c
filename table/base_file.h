// Reading and writing the base file, `torvelbase.txt`: a count line, then one key per line in
// the table's ascending order ("3 1 0 1 -4"), every line ended by '\n'.
//
// Reading takes a file only when it meets the table's invariants; anything else is reported as
// damaged with the first problem and its line, and nothing is sized by an unchecked number.
// Writing goes to a temporary file beside the target that then takes the target's place in one
// step, so a crash or a kill at any instant leaves the previous file or the new one, whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "table/position_key.h"

namespace table {

inline constexpr const char* kBaseFileName = "torvelbase.txt";

struct BaseFileProblem {
    size_t line = 0;  // 1-based line of the offending text
    std::string what;
};

enum class LoadStatus { Missing, Loaded, Damaged };

struct BaseFileContents {
    LoadStatus status = LoadStatus::Missing;
    std::vector<PositionKey> keys;  // in file order, which is ascending when Loaded
    BaseFileProblem problem;        // set when Damaged
};

// Parses the text of a base file and checks it. Never throws.
BaseFileContents ParseBaseFile(std::string_view text);

// Reads and parses the file at `path`; a file that cannot be opened is Missing.
BaseFileContents ReadBaseFile(const std::string& path);

// Whether `score` is one that some position of the key could have: non-zero, positive odd or
// negative even, at most one more than the key's sticks in size, and 1 for the empty key.
bool IsPlausibleScore(const PositionKey& key);

// Writes all of `data` to an open file descriptor; false on any failure.
using WriteFunction = std::function<bool(int fd, std::string_view data)>;
bool WriteAll(int fd, std::string_view data);

// Replaces the file at `path` with `head` followed by `body`. On failure the old file is left as
// it was and no temporary file remains.
bool ReplaceFile(const std::string& path, std::string_view head, std::string_view body,
                 const WriteFunction& write = WriteAll);

}  // namespace table
