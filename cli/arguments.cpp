#include "cli/arguments.h"

#include <algorithm>
#include <charconv>
#include <iostream>

#include "engine/rules.h"

namespace cli {

std::optional<UsageError> TakeBaseOption(std::vector<std::string>& args, BaseOption& base) {
    bool seenBase = false;
    bool seenNoBase = false;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--base") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                return UsageError{"--base needs a file name"};
            }
            if (seenBase) {
                return UsageError{"--base given twice"};
            }
            seenBase = true;
            base.path = args[++i];
        } else if (args[i] == "--no-base") {
            seenNoBase = true;
            base.path.clear();
        } else {
            rest.push_back(args[i]);
        }
    }
    if (seenBase && seenNoBase) {
        return UsageError{"--base and --no-base cannot be used together"};
    }
    args = std::move(rest);
    return std::nullopt;
}

std::optional<UsageError> RejectOptions(std::span<const std::string> args) {
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            return UsageError{"unknown option '" + arg + "'"};
        }
    }
    return std::nullopt;
}

std::optional<UsageError> ParsePosition(std::span<const std::string> args,
                                        std::vector<int32_t>& rows) {
    if (auto error = RejectOptions(args)) {
        return error;
    }
    if (args.empty()) {
        return UsageError{"no rows given"};
    }
    if (args.size() > 7) {
        return UsageError{"more than seven rows given (" + std::to_string(args.size()) + ")"};
    }
    rows.clear();
    for (const std::string& arg : args) {
        int32_t sticks = 0;
        const char* end = arg.data() + arg.size();
        const auto [ptr, ec] = std::from_chars(arg.data(), end, sticks);
        const bool digitsOnly = !arg.empty() && std::all_of(arg.begin(), arg.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
        if (!digitsOnly || ec != std::errc() || ptr != end) {
            if (!arg.empty() && arg[0] == '-') {
                return UsageError{"row '" + arg + "' is negative"};
            }
            return UsageError{"row '" + arg + "' is not a decimal number of sticks"};
        }
        rows.push_back(sticks);
    }
    if (const std::optional<int32_t> tooLong = engine::RowThatDoesNotFit(rows)) {
        return UsageError{"row of " + std::to_string(*tooLong) +
                          " sticks cannot stand in a game of seven rows with the others "
                          "(largest rows first, they must fit under 13, 11, 9, 7, 5, 3, 1)"};
    }
    return std::nullopt;
}

std::shared_ptr<table::PositionTable> OpenTable(const BaseOption& base) {
    auto positionTable = std::make_shared<table::PositionTable>(base.path);
    positionTable->SetNoticeHandler(
        [](const std::string& notice) { std::cerr << "torvel-cli: " << notice << '\n'; });
    const table::LoadStatus status = positionTable->Load();
    const table::BaseFileProblem& problem = positionTable->GetLoadProblem();
    if (status == table::LoadStatus::Damaged) {
        std::cerr << "torvel-cli: warning: base file '" << base.path << "' is damaged (line "
                  << problem.line << ": " << problem.what << "); starting with an empty table\n";
    } else if (status == table::LoadStatus::Unreadable) {
        std::cerr << "torvel-cli: warning: base file '" << base.path << "' cannot be read ("
                  << problem.what << "); starting with an empty table\n";
    }
    return positionTable;
}

}  // namespace cli
