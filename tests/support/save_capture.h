// Records the text of every base file a table writes, through the table's writer hook.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "table/base_file.h"

namespace testsupport {

struct SaveCapture {
    std::shared_ptr<std::vector<std::string>> saves = std::make_shared<std::vector<std::string>>();

    // A writer that writes as usual and keeps a copy; a save writes its count line, then its keys.
    table::WriteFunction Writer() const {
        auto calls = std::make_shared<size_t>(0);
        return [list = saves, calls](int fd, std::string_view data) {
            if ((*calls)++ % 2 == 0) {
                list->emplace_back();
            }
            list->back().append(data);
            return table::WriteAll(fd, data);
        };
    }
};

inline uint64_t Fnv1a(const std::string& text, uint64_t hash = 14695981039346656037ull) {
    for (unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

}  // namespace testsupport
