// Whether a base file left on disk is sound: it must load, with every table invariant holding.
#pragma once

#include <filesystem>
#include <string>

#include "table/base_file.h"

namespace hardening {

struct BaseVerdict {
    bool ok = false;
    std::string report;  // what was wrong, when not ok
};

inline BaseVerdict CheckBaseFile(const std::filesystem::path& path) {
    const table::BaseFileContents contents = table::ReadBaseFile(path.string());
    switch (contents.status) {
        case table::LoadStatus::Loaded:
            return {true, {}};
        case table::LoadStatus::Missing:
            return {false, path.string() + ": cannot be read"};
        case table::LoadStatus::Damaged:
            break;
    }
    return {false, path.string() + ": line " + std::to_string(contents.problem.line) + ": " +
                       contents.problem.what};
}

}  // namespace hardening
