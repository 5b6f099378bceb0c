// Reading the command line of torvel-cli: base file options and positions, checked before any
// file is touched.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/usage.h"
#include "engine/game_engine.h"
#include "table/position_table.h"

namespace cli {

struct BaseOption {
    std::string path = table::kBaseFileName;  // empty with --no-base
};

// Takes `--base FILE` and `--no-base` out of `args` wherever they stand.
std::optional<UsageError> TakeBaseOption(std::vector<std::string>& args, BaseOption& base);

// Takes every `flag` out of `args`; whether there was one.
bool TakeFlag(std::vector<std::string>& args, std::string_view flag);

// Reads the value of the option at `args[i]`, a decimal number from `lowest` to `highest`, and
// moves `i` onto it.
std::optional<UsageError> TakeNumber(std::span<const std::string> args, size_t& i, int32_t lowest,
                                     int32_t highest, int32_t& value);

// Parses rows of sticks: decimal integers of 0 or more, one to seven of them, whose non-empty
// rows, largest first, fit under 13, 11, 9, 7, 5, 3 and 1 sticks.
std::optional<UsageError> ParsePosition(std::span<const std::string> args,
                                        std::vector<int32_t>& rows);

// The rows as a position is typed and shown: "3 4 5", row 0 first.
std::string PositionText(const std::vector<int32_t>& rows);

// Any argument left that starts with '-' and is not a number is an unknown option.
std::optional<UsageError> RejectOptions(std::span<const std::string> args);

// Makes the table of the base file, whose notices go to stderr, without reading the file yet.
std::shared_ptr<table::PositionTable> MakeTable(const BaseOption& base);
// Makes the table and loads the base file, warning on stderr when a damaged file is dropped.
std::shared_ptr<table::PositionTable> OpenTable(const BaseOption& base);

// The arguments of a command about one position (`move`, `score`, `analyze`, `explain`): the base
// file options, --json and the rows, which must hold a stick when `needsMove`.
struct PositionCommand {
    BaseOption base;
    std::vector<int32_t> rows;
    bool json = false;
};
std::optional<UsageError> ParsePositionCommand(std::span<const std::string> args,
                                               PositionCommand& command, bool needsMove);
// An engine on the command's rows, with the table of its base file.
engine::GameEngine OpenPosition(const PositionCommand& command);

}  // namespace cli
