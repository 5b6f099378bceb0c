// The base-file loader on arbitrary file contents. A file either loads with every table
// invariant holding (its count, keys strictly ascending, each score plausible) and reads back the
// same once written again, or it is damaged at a line of the input and loads as an empty table.
// verify never trusts a damaged file, and the computer plays a legal move on whatever loaded.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/base_check.h"
#include "engine/game_engine.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterPrivateFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const table::BaseFileContents contents = table::ParseBaseFile(text);
    const cli::BaseCheck check = cli::CheckBaseText(text);
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (contents.status == table::LoadStatus::Damaged) {
        FUZZ_CHECK(contents.problem.line >= 1 && contents.problem.line <= lines);
        FUZZ_CHECK(!check.ok && check.line == contents.problem.line);
    } else {
        FUZZ_CHECK(contents.status == table::LoadStatus::Loaded);
        std::ostringstream again;
        again << contents.keys.size() << '\n';
        for (size_t i = 0; i < contents.keys.size(); ++i) {
            const table::PositionKey& key = contents.keys[i];
            FUZZ_CHECK(table::IsPlausibleScore(key) &&
                       (i == 0 || contents.keys[i - 1].IsLess(key)));
            FUZZ_CHECK(key.GetLength() == 0 || key.GetValues().back() > 0);
            table::WriteText(again, key) << '\n';
        }
        const table::BaseFileContents reread = table::ParseBaseFile(again.str());
        FUZZ_CHECK(reread.status == table::LoadStatus::Loaded &&
                   reread.keys.size() == contents.keys.size());
        FUZZ_CHECK(check.keys == contents.keys.size() && (check.ok || check.line <= lines));
    }
    std::filesystem::remove(table::kBaseFileName);
    std::ofstream(table::kBaseFileName, std::ios::binary) << text;
    auto positions = std::make_shared<table::PositionTable>();
    FUZZ_CHECK(positions->Load() == contents.status);
    FUZZ_CHECK(positions->GetEntryCount() == int32_t(contents.keys.size()) ||
               contents.status != table::LoadStatus::Loaded);
    FUZZ_CHECK(positions->GetEntryCount() == 0 || contents.status == table::LoadStatus::Loaded);
    engine::GameEngine game(positions);
    game.SetRows({1, 2, 3});
    const engine::Move move = game.ChooseMove();
    FUZZ_CHECK(move.row >= 0 && move.row < 3 && move.number >= 1 &&
               move.number <= game.GetSticks(move.row));
    return 0;
}
