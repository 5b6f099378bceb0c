#include "cli/arguments.h"

#include <algorithm>
#include <iostream>

#include "engine/rules.h"
#include "text/decimal.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace cli {

namespace {

using text::Fill;
using text::Tr;

// The one wording for a row too long for its place, however far beyond it lies.
UsageError RowDoesNotFit(const std::string& arg) {
    return UsageError{Fill(Tr("row '%1' does not fit a game of seven rows (largest first, the rows "
                              "must fit under 13, 11, 9, 7, 5, 3 and 1 sticks)"),
                           {text::EscapedName(arg)})};
}

}  // namespace

bool TakeFlag(std::vector<std::string>& args, std::string_view flag) {
    const auto taken = std::remove(args.begin(), args.end(), flag);
    const bool found = taken != args.end();
    args.erase(taken, args.end());
    return found;
}

std::optional<UsageError> TakeBaseOption(std::vector<std::string>& args, BaseOption& base) {
    bool seenBase = false;
    bool seenNoBase = false;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--base") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                return UsageError{Tr("--base needs a file name")};
            }
            if (seenBase) {
                return UsageError{Tr("--base given twice")};
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
        return UsageError{Tr("--base and --no-base cannot be used together")};
    }
    args = std::move(rest);
    return std::nullopt;
}

std::optional<UsageError> RejectOptions(std::span<const std::string> args) {
    for (const std::string& arg : args) {
        int32_t number = 0;
        if (arg.size() > 1 && arg[0] == '-' &&
            text::ReadDecimal(arg, number) == text::DecimalStatus::Malformed) {
            return UsageError{Fill(Tr("unknown option '%1'"), {text::EscapedName(arg)})};
        }
    }
    return std::nullopt;
}

std::optional<UsageError> TakeNumber(std::span<const std::string> args, size_t& i, int32_t lowest,
                                     int32_t highest, int32_t& value) {
    const std::string& option = args[i];
    if (i + 1 == args.size()) {
        return UsageError{Fill(Tr("%1 needs a number from %2 to %3"), {option, lowest, highest})};
    }
    const std::string& text = args[++i];
    int32_t number = 0;
    if (text::ReadDecimal(text, number) != text::DecimalStatus::Ok || number < lowest ||
        number > highest) {
        return UsageError{Fill(Tr("%1 needs a number from %2 to %3, not '%4'"),
                               {option, lowest, highest, text::EscapedName(text)})};
    }
    value = number;
    return std::nullopt;
}

std::optional<UsageError> ParsePosition(std::span<const std::string> args,
                                        std::vector<int32_t>& rows) {
    if (auto error = RejectOptions(args)) {
        return error;
    }
    if (args.empty()) {
        return UsageError{Tr("no rows given")};
    }
    if (args.size() > 7) {
        return UsageError{Fill(Tr("more than seven rows given (%1)"), {args.size()})};
    }
    rows.clear();
    for (const std::string& arg : args) {
        int32_t sticks = 0;
        const text::DecimalStatus status = text::ReadDecimal(arg, sticks);
        if (status == text::DecimalStatus::Malformed) {
            return UsageError{
                Fill(Tr("row '%1' is not a decimal number of sticks"), {text::EscapedName(arg)})};
        }
        if (sticks < 0) {
            return UsageError{Fill(Tr("row '%1' is negative"), {text::EscapedName(arg)})};
        }
        if (status == text::DecimalStatus::OutOfRange) {
            return RowDoesNotFit(arg);
        }
        rows.push_back(sticks);
    }
    if (const std::optional<int32_t> tooLong = engine::RowThatDoesNotFit(rows)) {
        const auto at = std::find(rows.begin(), rows.end(), *tooLong) - rows.begin();
        return RowDoesNotFit(args[static_cast<size_t>(at)]);
    }
    return std::nullopt;
}

std::shared_ptr<table::PositionTable> MakeTable(const BaseOption& base) {
    auto positionTable = std::make_shared<table::PositionTable>(base.path);
    positionTable->SetNoticeHandler(
        [](const std::string& notice) { std::cerr << "torvel-cli: " << notice << '\n'; });
    return positionTable;
}

std::shared_ptr<table::PositionTable> OpenTable(const BaseOption& base) {
    auto positionTable = MakeTable(base);
    positionTable->Load();  // what it finds wrong is told through the notices
    return positionTable;
}

std::string PositionText(const std::vector<int32_t>& rows) {
    std::string text;
    for (const int32_t sticks : rows) {
        text += text.empty() ? "" : " ";
        text += std::to_string(sticks);
    }
    return text;
}

std::optional<UsageError> ParsePositionCommand(std::span<const std::string> args,
                                               PositionCommand& command, bool needsMove) {
    std::vector<std::string> rest(args.begin(), args.end());
    if (auto error = TakeBaseOption(rest, command.base)) {
        return error;
    }
    command.json = TakeFlag(rest, "--json");
    if (auto error = ParsePosition(rest, command.rows)) {
        return error;
    }
    const auto& rows = command.rows;
    if (needsMove && std::none_of(rows.begin(), rows.end(), [](int32_t s) { return s > 0; })) {
        return UsageError{text::Tr("the position is empty: there is no move to make")};
    }
    return std::nullopt;
}

engine::GameEngine OpenPosition(const PositionCommand& command) {
    engine::GameEngine game(OpenTable(command.base));
    game.SetRows(command.rows);
    return game;
}

}  // namespace cli
