// torvel-cli's argument reading on arbitrary arguments (the input split at NUL bytes). It never
// touches a file, takes out --base and --no-base by their rules, accepts only positions that fit
// a seven-row game, and reads each argument as a line typed at play's prompt: a move it accepts
// is legal, and a refusal says why. The whole input, read as a saved game, is either one that
// reads back as written, or none, or damaged at one of its lines.
#include <algorithm>
#include <functional>

#include "cli/arguments.h"
#include "cli/terminal_game.h"
#include "engine/saved_game.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterPrivateFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(size > 0 ? 1 : 0);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back().push_back(static_cast<char>(data[i]));
        }
    }
    std::vector<std::string> rest = args;
    cli::BaseOption base;
    if (cli::TakeBaseOption(rest, base)) {
        FUZZ_CHECK(rest == args);
    } else {
        const size_t taken = args.size() - rest.size();
        FUZZ_CHECK(base.path.empty() ? taken >= 1 : (taken == 0 || taken == 2));
        FUZZ_CHECK(std::find(rest.begin(), rest.end(), "--no-base") == rest.end());
    }
    std::vector<int32_t> rows;
    if (!cli::ParsePosition(rest, rows)) {
        FUZZ_CHECK(rows.size() == rest.size() && !rows.empty() && rows.size() <= 7);
        std::sort(rows.begin(), rows.end(), std::greater<>());
        for (size_t i = 0; i < rows.size(); ++i) {
            FUZZ_CHECK(rows[i] >= 0 && rows[i] <= 13 - 2 * int32_t(i));
        }
    } else {
        rows = {1, 3, 5, 7};
    }
    engine::GameEngine game(true);
    game.SetRows(rows);
    for (const std::string& line : args) {
        const cli::HumanInput input = cli::ReadHumanInput(line, game);
        engine::GameEngine after(true);
        after.SetRows(rows);
        FUZZ_CHECK(input.kind != cli::HumanInput::Kind::Move ||
                   (input.move.number >= 1 && after.ApplyMove(input.move)));
        FUZZ_CHECK(input.kind != cli::HumanInput::Kind::Invalid || !input.problem.empty());
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    const engine::SavedGameReading reading = engine::ReadSavedGame(text);
    using Status = engine::SavedGameReading::Status;
    FUZZ_CHECK(reading.status != Status::Loaded ||
               engine::ReadSavedGame(engine::SavedGameText(reading.saved)).saved == reading.saved);
    FUZZ_CHECK((reading.status == Status::Damaged) ==
               (reading.line >= 1 && !reading.problem.empty() &&
                reading.line <= size_t(std::count(text.begin(), text.end(), '\n')) + 1));
    FUZZ_CHECK(std::filesystem::is_empty("."));
    return 0;
}
