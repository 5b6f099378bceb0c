#include "cli/base_check.h"

#include <vector>

#include "cli/key_solver.h"
#include "table/base_file.h"
#include "table/position_key.h"

namespace cli {
namespace {

// The 1-based line on which the whitespace-separated word of index `wanted` (from 0) starts.
size_t LineOfWord(std::string_view text, size_t wanted) {
    size_t line = 1;
    size_t word = 0;
    bool inWord = false;
    for (char c : text) {
        const bool space =
            c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
        if (!space && !inWord) {
            if (word == wanted) {
                return line;
            }
            ++word;
        }
        inWord = !space;
        if (c == '\n') {
            ++line;
        }
    }
    return line;
}

std::string KeyText(const table::PositionKey& key) {
    std::string text = std::to_string(key.GetLength());
    for (int32_t value : key.GetValues()) {
        text += ' ' + std::to_string(value);
    }
    return text;
}

}  // namespace

BaseCheck CheckBaseText(std::string_view text) {
    BaseCheck check;
    const table::BaseFileContents contents = table::ParseBaseFile(text);
    if (contents.status != table::LoadStatus::Loaded) {
        check.line = contents.problem.line;
        check.problem = contents.problem.what;
        return check;
    }
    check.keys = contents.keys.size();
    KeySolver solver;
    size_t word = 1;  // the count comes first
    for (const table::PositionKey& key : contents.keys) {
        const size_t keyWord = word;
        const size_t scoreWord = word + static_cast<size_t>(key.GetLength()) + 1;
        word = scoreWord + 1;
        if (!KeySolver::Reachable(key.GetValues())) {
            check.line = LineOfWord(text, keyWord);
            check.problem = "the position of key " + KeyText(key) +
                            " cannot arise in a game of up to seven rows";
            return check;
        }
        const int32_t score = solver.Score(key.GetValues());
        if (score != key.GetScore()) {
            check.line = LineOfWord(text, scoreWord);
            check.problem = "key " + KeyText(key) + " is stored with score " +
                            std::to_string(key.GetScore()) + ", but its position scores " +
                            std::to_string(score);
            return check;
        }
    }
    check.ok = true;
    return check;
}

}  // namespace cli
