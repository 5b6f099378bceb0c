// Reading the command line of torvel-cli: base file options and positions, checked before any
// file is touched.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "table/position_table.h"

namespace cli {

// A mistake on the command line: one line for stderr, and exit status 2.
struct UsageError {
    std::string message;
};

struct BaseOption {
    std::string path = table::kBaseFileName;  // empty with --no-base
};

// Takes `--base FILE` and `--no-base` out of `args` wherever they stand.
std::optional<UsageError> TakeBaseOption(std::vector<std::string>& args, BaseOption& base);

// Parses rows of sticks: decimal integers of 0 or more, one to seven of them, whose non-empty
// rows, largest first, fit under 13, 11, 9, 7, 5, 3 and 1 sticks.
std::optional<UsageError> ParsePosition(std::span<const std::string> args,
                                        std::vector<int32_t>& rows);

// Any argument left that starts with '-' and is not a number is an unknown option.
std::optional<UsageError> RejectOptions(std::span<const std::string> args);

// Makes the table and loads the base file, warning on stderr when a damaged file is dropped.
std::shared_ptr<table::PositionTable> OpenTable(const BaseOption& base);

}  // namespace cli
