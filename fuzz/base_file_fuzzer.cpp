// Fuzzes the base-file loader with arbitrary file contents. Every input either loads, with every
// table invariant holding (keys strictly ascending, each score non-zero and plausible, the count
// line equal to the keys that follow), and a table loaded from it behaves as a table must; or it
// is found damaged, naming a line of the input, and a table loaded from it is empty. What
// `torvel-cli verify` says of it agrees: never sound when the loader finds it damaged.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/base_check.h"
#include "engine/game_engine.h"
#include "fuzz/fuzz_support.h"
#include "table/base_file.h"
#include "table/position_table.h"

using table::BaseFileContents;
using table::LoadStatus;
using table::PositionKey;
using table::PositionTable;

namespace {

const std::string& BasePath() {
    static const std::string path = (fuzz::PrivateFolder() / "torvelbase.txt").string();
    return path;
}

// Writes the input as the base file. The old file is removed first rather than truncated:
// truncating a file that holds data makes some file systems flush it at once, which would slow
// every run down to the disk's pace.
void PutBaseFile(std::string_view text) {
    std::filesystem::remove(BasePath());
    std::ofstream out(BasePath(), std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    FUZZ_CHECK(out.good());
}

bool SameKey(const PositionKey& a, const PositionKey& b) {
    return a.SameValues(b) && a.GetScore() == b.GetScore();
}

bool SameKeys(const std::vector<PositionKey>& a, const std::vector<PositionKey>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!SameKey(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

bool StrictlyAscending(const std::vector<PositionKey>& keys) {
    for (size_t i = 1; i < keys.size(); ++i) {
        if (!keys[i - 1].IsLess(keys[i]) || keys[i].IsLess(keys[i - 1])) {
            return false;
        }
    }
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The first integer of the text, read on its own: the count line of a file that loads.
std::optional<int64_t> FirstInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    i += negative ? 1 : 0;
    int64_t value = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 40);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

size_t LineCount(std::string_view text) {
    size_t lines = 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

std::string Render(const std::vector<PositionKey>& keys) {
    std::ostringstream out;
    out << keys.size() << '\n';
    for (const PositionKey& key : keys) {
        table::WriteText(out, key) << '\n';
    }
    return out.str();
}

// Eleven plausible keys longer than every key held, so new to the table.
std::vector<PositionKey> ElevenNewKeys(const std::vector<PositionKey>& held) {
    int32_t longest = 0;
    for (const PositionKey& key : held) {
        longest = std::max(longest, key.GetLength());
    }
    std::vector<PositionKey> keys;
    for (int32_t i = 0; i < 11; ++i) {
        std::vector<int32_t> values(static_cast<size_t>(longest) + 1, 0);
        values.back() = 1;
        values.front() += i;
        keys.emplace_back(values, -2);
    }
    return keys;
}

void CheckLoaded(std::string_view text, const BaseFileContents& contents) {
    const std::vector<PositionKey>& keys = contents.keys;
    FUZZ_CHECK(FirstInteger(text) == static_cast<int64_t>(keys.size()));
    FUZZ_CHECK(StrictlyAscending(keys));
    for (const PositionKey& key : keys) {
        FUZZ_CHECK(key.GetScore() != 0);
        FUZZ_CHECK(table::IsPlausibleScore(key));
        for (const int32_t value : key.GetValues()) {
            FUZZ_CHECK(value >= 0);
        }
        FUZZ_CHECK(key.GetLength() == 0 || key.GetValues().back() != 0);
    }
    // The file the table would write for these keys reads back as the same keys.
    const BaseFileContents again = table::ParseBaseFile(Render(keys));
    FUZZ_CHECK(again.status == LoadStatus::Loaded);
    FUZZ_CHECK(SameKeys(again.keys, keys));
}

void CheckTable(const BaseFileContents& contents) {
    const std::vector<PositionKey>& keys = contents.keys;
    PositionTable t(BasePath());
    FUZZ_CHECK(t.Load() == contents.status);
    FUZZ_CHECK(t.GetRecentUsed() == 0);
    if (contents.status == LoadStatus::Damaged) {
        FUZZ_CHECK(t.GetEntryCount() == 0);
        FUZZ_CHECK(t.GetEntries().empty());
        FUZZ_CHECK(t.Lookup(PositionKey()) == 0);
        return;
    }
    const int32_t count = static_cast<int32_t>(keys.size());
    FUZZ_CHECK(t.GetEntryCount() == count);
    FUZZ_CHECK(SameKeys(t.GetEntries(), keys));
    for (int32_t i = 0; i < count; ++i) {
        const PositionKey& key = keys[static_cast<size_t>(i)];
        FUZZ_CHECK(SameKey(t.GetEntry(i), key));
        PositionKey probe(key.GetValues(), 0);
        FUZZ_CHECK(t.Lookup(probe) == key.GetScore());
        // A stored score never changes.
        probe.SetScore(key.GetScore() == 3 ? 5 : 3);
        t.Insert(probe);
        FUZZ_CHECK(t.Lookup(probe) == key.GetScore());
    }
    FUZZ_CHECK(t.GetRecentUsed() == 0);

    // Ten new keys wait in the recent block, unseen by Lookup; the eleventh merges and saves.
    const std::vector<PositionKey> added = ElevenNewKeys(keys);
    for (size_t i = 0; i < added.size(); ++i) {
        t.Insert(added[i]);
        const bool merged = i + 1 == added.size();
        FUZZ_CHECK(t.GetRecentUsed() == (merged ? 0 : static_cast<int32_t>(i + 1)));
        FUZZ_CHECK(t.GetEntryCount() == count + (merged ? 11 : 0));
        FUZZ_CHECK(t.Lookup(added[i]) == (merged ? -2 : 0));
    }
    const std::vector<PositionKey> entries = t.GetEntries();
    FUZZ_CHECK(StrictlyAscending(entries));
    for (const PositionKey& key : added) {
        FUZZ_CHECK(t.Lookup(key) == -2);
    }
    FUZZ_CHECK(t.GetStats().saves == 1);

    // What the merge saved loads back as the same table.
    PositionTable reread(BasePath());
    FUZZ_CHECK(reread.Load() == LoadStatus::Loaded);
    FUZZ_CHECK(SameKeys(reread.GetEntries(), entries));
}

// The computer's search runs on a table loaded from the input, whatever scores it holds.
void CheckSearch() {
    auto shared = std::make_shared<PositionTable>(BasePath());
    shared->Load();
    engine::GameEngine game(shared);
    game.SetRows({1, 2, 3});
    FUZZ_CHECK(game.Evaluate() != 0);
    const engine::Move move = game.ChooseMove();
    FUZZ_CHECK(move.row >= 0 && move.row < 3);
    FUZZ_CHECK(move.number >= 1 && move.number <= game.GetSticks(move.row));
    FUZZ_CHECK(game.GetRows() == (std::vector<int32_t>{1, 2, 3}));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PrivateFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const BaseFileContents contents = table::ParseBaseFile(text);
    FUZZ_CHECK(contents.status == LoadStatus::Loaded || contents.status == LoadStatus::Damaged);
    if (contents.status == LoadStatus::Loaded) {
        CheckLoaded(text, contents);
    } else {
        FUZZ_CHECK(contents.problem.line >= 1 && contents.problem.line <= LineCount(text));
        FUZZ_CHECK(!contents.problem.what.empty());
    }

    const cli::BaseCheck check = cli::CheckBaseText(text);
    if (contents.status == LoadStatus::Loaded) {
        FUZZ_CHECK(check.ok || (check.line >= 1 && check.line <= LineCount(text)));
        FUZZ_CHECK(check.keys == contents.keys.size());
    } else {
        FUZZ_CHECK(!check.ok);
        FUZZ_CHECK(check.line == contents.problem.line && check.problem == contents.problem.what);
    }
    FUZZ_CHECK(check.ok == check.problem.empty());

    PutBaseFile(text);
    CheckTable(contents);
    PutBaseFile(text);
    CheckSearch();
    return 0;
}
