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

inline uint64_t Fnv1a(std::string_view text, uint64_t hash = 14695981039346656037ull) {
    for (unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

// Hashes the text of every base file written, in order, without keeping it.
struct SaveHasher {
    std::shared_ptr<uint64_t> hash = std::make_shared<uint64_t>(14695981039346656037ull);
    std::shared_ptr<size_t> calls = std::make_shared<size_t>(0);

    size_t Saves() const { return *calls / 2; }
    table::WriteFunction Writer() const {
        return [h = hash, c = calls](int fd, std::string_view data) {
            ++*c;
            *h = Fnv1a(data, *h);
            return table::WriteAll(fd, data);
        };
    }
};

}  // namespace testsupport
