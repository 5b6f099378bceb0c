// Checking a base file thoroughly: first what the loader checks (the structure, every value
// and score plausible, keys strictly ascending), then every stored score against a search of
// its own (KeySolver), so that a file that loads but would make the computer play badly is
// caught too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

struct BaseCheck {
    bool ok = false;
    size_t keys = 0;      // keys in the file, when the structure is sound
    size_t line = 0;      // 1-based line of the first problem
    std::string problem;  // empty when ok
};

BaseCheck CheckBaseText(std::string_view text);

}  // namespace cli
