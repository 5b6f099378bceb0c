// Fuzzes the reading of torvel-cli's command line: the input, split at NUL bytes, is the list of
// arguments after the command's name. Reading them never crashes and never touches a file (the
// working directory, a private empty folder, stays empty), and what it accepts and gives back
// agrees with a plain model of the rules written here:
// - `--base FILE` and `--no-base` are taken out wherever they stand; --base needs a non-empty
//   FILE, may come once, and not together with --no-base; on a mistake the arguments are kept;
// - an argument of two or more characters that starts with '-' and not "-<digit>" is an unknown
//   option;
// - a position is one to seven rows, each all decimal digits, whose sizes, largest first, fit
//   under 13, 11, 9, 7, 5, 3 and 1.
// Each argument is also read as a line typed at the prompt of `play`, against the position the
// arguments give (or 1, 3, 5, 7): a move it accepts is legal there, and a refusal says why.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/terminal_game.h"
#include "engine/game_engine.h"
#include "fuzz/fuzz_support.h"

namespace {

std::vector<std::string> Split(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back().push_back(static_cast<char>(data[i]));
        }
    }
    if (size == 0) {
        args.clear();
    }
    return args;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ModelRejects(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg.size() >= 2 && arg[0] == '-' && !IsDigit(arg[1]);
    });
}

struct ModelBase {
    bool ok = true;
    std::string path = table::kBaseFileName;
    std::vector<std::string> rest;
};

ModelBase ModelTakeBase(const std::vector<std::string>& args) {
    ModelBase model;
    int bases = 0;
    int noBases = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--base") {
            if (i + 1 >= args.size() || args[i + 1].empty() || ++bases > 1) {
                model.ok = false;
                return model;
            }
            model.path = args[++i];
        } else if (args[i] == "--no-base") {
            ++noBases;
        } else {
            model.rest.push_back(args[i]);
        }
    }
    if (bases > 0 && noBases > 0) {
        model.ok = false;
    }
    if (noBases > 0) {
        model.path.clear();
    }
    return model;
}

// The rows a position reads as, or nothing when it is not one.
std::optional<std::vector<int32_t>> ModelPosition(const std::vector<std::string>& args) {
    if (ModelRejects(args) || args.empty() || args.size() > 7) {
        return std::nullopt;
    }
    std::vector<int32_t> rows;
    for (const std::string& arg : args) {
        if (arg.empty() || !std::all_of(arg.begin(), arg.end(), IsDigit)) {
            return std::nullopt;
        }
        const size_t first = std::min(arg.find_first_not_of('0'), arg.size());
        const std::string digits = arg.substr(first);
        if (digits.size() > 2) {
            return std::nullopt;  // more than 99 sticks never fits
        }
        rows.push_back(digits.empty() ? 0 : std::stoi(digits));
    }
    std::vector<int32_t> sizes = rows;
    std::sort(sizes.begin(), sizes.end(), std::greater<>());
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i] > 13 - 2 * static_cast<int32_t>(i)) {
            return std::nullopt;
        }
    }
    return rows;
}

bool FolderIsEmpty() {
    return std::filesystem::is_empty(fuzz::PrivateFolder());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PrivateFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> args = Split(data, size);

    const auto rejected = cli::RejectOptions(args);
    FUZZ_CHECK(rejected.has_value() == ModelRejects(args));
    FUZZ_CHECK(!rejected || !rejected->message.empty());

    std::vector<std::string> rest = args;
    cli::BaseOption base;
    const auto baseError = cli::TakeBaseOption(rest, base);
    const ModelBase model = ModelTakeBase(args);
    FUZZ_CHECK(!baseError.has_value() == model.ok);
    if (baseError) {
        FUZZ_CHECK(!baseError->message.empty());
        FUZZ_CHECK(rest == args);
    } else {
        FUZZ_CHECK(rest == model.rest);
        FUZZ_CHECK(base.path == model.path);
    }

    // A position, read from what is left (as `move` and `score` do) and from the whole list.
    const std::vector<std::string>* lists[] = {&rest, &args};
    for (const std::vector<std::string>* list : lists) {
        std::vector<int32_t> rows = {99};
        const auto positionError = cli::ParsePosition(*list, rows);
        const auto wanted = ModelPosition(*list);
        FUZZ_CHECK(!positionError.has_value() == wanted.has_value());
        if (positionError) {
            FUZZ_CHECK(!positionError->message.empty());
        } else {
            FUZZ_CHECK(rows == *wanted);
        }
    }

    std::vector<int32_t> rows;
    if (cli::ParsePosition(rest, rows)) {
        rows = {1, 3, 5, 7};
    }
    engine::GameEngine game(true);  // no table: reading a line needs none
    game.SetRows(rows);
    for (const std::string& line : args) {
        const cli::HumanInput input = cli::ReadHumanInput(line, game);
        switch (input.kind) {
            case cli::HumanInput::Kind::Move: {
                FUZZ_CHECK(input.move.row >= 0 && input.move.row < game.GetRowCount());
                FUZZ_CHECK(input.move.number >= 1);
                FUZZ_CHECK(input.move.number <= game.GetSticks(input.move.row));
                engine::GameEngine after(true);
                after.SetRows(rows);
                FUZZ_CHECK(after.ApplyMove(input.move));
                break;
            }
            case cli::HumanInput::Kind::Quit:
                FUZZ_CHECK(line.find('q') != std::string::npos);
                break;
            case cli::HumanInput::Kind::Invalid:
                FUZZ_CHECK(!input.problem.empty());
                break;
        }
    }

    FUZZ_CHECK(FolderIsEmpty());
    return 0;
}
