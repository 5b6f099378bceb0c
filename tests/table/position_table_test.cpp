#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/temp_dir.h"
#include "table/position_table.h"

using table::LoadStatus;
using table::PositionKey;
using table::PositionTable;

namespace {

PositionKey Key(std::vector<int32_t> values, int32_t score) {
    return PositionKey(values, score);
}

// Eleven distinct plausible keys of length 1 and 2, given in descending order.
std::vector<PositionKey> ElevenDescending() {
    std::vector<PositionKey> keys;
    for (int32_t a = 4; a >= 1; --a) {
        keys.push_back(Key({a, 1}, 3));
    }
    for (int32_t a = 7; a >= 1; --a) {
        keys.push_back(Key({a}, a % 2 ? -2 : 3));
    }
    return keys;
}

std::string Lines(const PositionTable& t) {
    std::ostringstream out;
    for (const PositionKey& key : t.GetEntries()) {
        table::WriteText(out, key) << '\n';
    }
    return out.str();
}

std::vector<std::string> FilesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(PositionTable, RecentBlockFillsThenTheEleventhKeyMergesSortsAndSaves) {
    testsupport::TempDir dir;
    PositionTable t;
    const std::vector<PositionKey> keys = ElevenDescending();
    EXPECT_EQ(t.Lookup(keys[0]), 0);

    for (size_t i = 0; i < 10; ++i) {
        t.Insert(keys[i]);
        EXPECT_EQ(t.GetRecentUsed(), static_cast<int32_t>(i + 1));
    }
    EXPECT_EQ(t.GetEntryCount(), 0);
    EXPECT_EQ(t.Lookup(keys[3]), 0) << "a key waiting in the recent block is not found";
    t.Insert(keys[3]);
    EXPECT_EQ(t.GetRecentUsed(), 10) << "inserting a waiting key again adds nothing";
    EXPECT_EQ(t.GetRecent(2).GetValue(0), 2);
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));

    t.Insert(keys[10]);
    EXPECT_EQ(t.GetEntryCount(), 11);
    EXPECT_EQ(t.GetRecentUsed(), 0);
    EXPECT_EQ(t.GetRecentAdded(), 0);
    EXPECT_EQ(Lines(t),
              "1 1 -2\n1 2 3\n1 3 -2\n1 4 3\n1 5 -2\n1 6 3\n1 7 -2\n2 1 1 3\n2 2 1 3\n2 3 1 3\n"
              "2 4 1 3\n");
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), "11\n" + Lines(t));
    for (const PositionKey& key : keys) {
        EXPECT_EQ(
            t.Lookup(Key(std::vector<int32_t>(key.GetValues().begin(), key.GetValues().end()), 0)),
            key.GetScore());
    }
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"torvelbase.txt"});
}

TEST(PositionTable, StoredScoresNeverChangeAndUnscoredKeysAreRefused) {
    testsupport::TempDir dir;
    PositionTable t;
    for (const PositionKey& key : ElevenDescending()) {
        t.Insert(key);
    }
    t.Insert(Key({1}, 99));
    EXPECT_EQ(t.Lookup(Key({1}, 0)), -2);
    EXPECT_EQ(t.GetEntryCount(), 11);
    EXPECT_EQ(t.GetRecentUsed(), 0);

    t.Insert(Key({0, 0, 1}, 0));
    EXPECT_EQ(t.GetRecentUsed(), 0) << "a key with score 0 would never match; it is refused";
}

TEST(PositionTable, SmallLoadedTablesFindEveryKey) {
    testsupport::TempDir dir;
    testsupport::WriteFile("torvelbase.txt", "1\n1 1 -2\n");
    PositionTable one;
    EXPECT_EQ(one.Load(), LoadStatus::Loaded);
    EXPECT_EQ(one.Lookup(Key({1}, 0)), -2);
    EXPECT_EQ(one.Lookup(Key({2}, 0)), 0);

    testsupport::WriteFile("torvelbase.txt", "2\n0 1\n1 1 -2\n");
    PositionTable two;
    EXPECT_EQ(two.Load(), LoadStatus::Loaded);
    EXPECT_EQ(two.Lookup(Key({}, 0)), 1);
    EXPECT_EQ(two.Lookup(Key({1}, 0)), -2);
}

TEST(PositionTable, SaveThenLoadRoundTripsAndLoadReplacesEverything) {
    testsupport::TempDir dir;
    PositionTable saved;
    for (const PositionKey& key : ElevenDescending()) {
        saved.Insert(key);
    }
    saved.Insert(Key({0, 0, 1}, 3));

    PositionTable loaded;
    loaded.Insert(Key({0, 0, 0, 1}, 3));  // waits in the recent block until the load drops it
    EXPECT_EQ(loaded.Load(), LoadStatus::Loaded);
    EXPECT_EQ(loaded.GetEntryCount(), 11);
    EXPECT_EQ(loaded.GetRecentUsed(), 0);
    EXPECT_EQ(Lines(loaded), Lines(saved));
    EXPECT_EQ(loaded.Lookup(Key({0, 0, 0, 1}, 0)), 0);

    // Carriage-return line ends load exactly like line feeds.
    std::string crlf;
    for (char c : testsupport::ReadFile("torvelbase.txt")) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    testsupport::WriteFile("torvelbase.txt", crlf);
    PositionTable fromCrlf;
    EXPECT_EQ(fromCrlf.Load(), LoadStatus::Loaded);
    EXPECT_EQ(Lines(fromCrlf), Lines(saved));

    // A file that does not open changes nothing.
    std::filesystem::remove("torvelbase.txt");
    EXPECT_EQ(fromCrlf.Load(), LoadStatus::Missing);
    EXPECT_EQ(fromCrlf.GetEntryCount(), 11);

    testsupport::WriteFile("torvelbase.txt", "0\n");
    EXPECT_EQ(fromCrlf.Load(), LoadStatus::Loaded);
    EXPECT_EQ(fromCrlf.GetEntryCount(), 0);
}

TEST(PositionTable, DamagedFilesLoadAsAnEmptyTable) {
    testsupport::TempDir dir;
    const char* damaged[] = {
        "",                      // empty
        "2\n0 1\n",              // truncated
        "2\n0 1\n1 1",           // truncated inside a key
        "hello\n",               // not numbers
        "1\n0 1x\n",             // a glued word
        "-3\n",                  // negative count
        "2000000000\n0 1\n",     // huge count
        "1\n0 1\n1 1 -2\n",      // more keys than counted
        "1\n0 1\ngarbage\n",     // trailing garbage
        "2\n1 1 -2\n0 1\n",      // out of order
        "2\n1 1 -2\n1 1 -2\n",   // a key twice
        "1\n1 1 0\n",            // score 0
        "1\n1 1 3\n",            // a single stick cannot be a win
        "1\n1 1 -4\n",           // nor last three moves
        "1\n0 3\n",              // the empty key scores 1
        "1\n2 1 0 3\n",          // last value 0
        "1\n2 -1 1 3\n",         // negative value
        "1\n1 1 -2147483649\n",  // out of 32-bit range
        "1\n-1 1\n",             // negative length
        "1\n+1 1 -2\n",          // not a plain decimal
    };
    for (const char* text : damaged) {
        testsupport::WriteFile("torvelbase.txt", text);
        PositionTable t;
        t.Insert(Key({1}, -2));
        EXPECT_EQ(t.Load(), LoadStatus::Damaged) << '"' << text << '"';
        EXPECT_EQ(t.GetEntryCount(), 0) << text;
        EXPECT_EQ(t.GetRecentUsed(), 0) << text;
        EXPECT_FALSE(t.GetLoadProblem().what.empty());
    }
    testsupport::WriteFile("torvelbase.txt", "2\n0 1\n\n1 1 -3\n");
    PositionTable t;
    EXPECT_EQ(t.Load(), LoadStatus::Damaged);
    EXPECT_EQ(t.GetLoadProblem().line, 4u);
}

TEST(PositionTable, AFailedSaveKeepsTheOldFileAndTheTable) {
    testsupport::TempDir dir;
    testsupport::WriteFile("torvelbase.txt", "1\n0 1\n");
    PositionTable t;
    ASSERT_EQ(t.Load(), LoadStatus::Loaded);
    t.SetWriter([](int, std::string_view) { return false; });  // a full disk
    for (const PositionKey& key : ElevenDescending()) {
        t.Insert(key);
    }
    EXPECT_EQ(t.GetEntryCount(), 12);
    EXPECT_EQ(t.GetStats().failedSaves, 1u);
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), "1\n0 1\n");
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"torvelbase.txt"});

    t.SetWriter(table::WriteAll);
    EXPECT_TRUE(t.Save());
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), "12\n" + Lines(t));

    // A base path beneath a regular file can never be written, even by root.
    PositionTable blocked("torvelbase.txt/inner.txt");
    for (const PositionKey& key : ElevenDescending()) {
        blocked.Insert(key);
    }
    EXPECT_EQ(blocked.GetEntryCount(), 11);
    EXPECT_FALSE(blocked.Save());
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), "12\n" + Lines(t));
}

TEST(PositionTable, KeysTooLargeToPackKeepTheirPlaceInTheOrder) {
    testsupport::TempDir dir;
    PositionTable t;
    std::vector<int32_t> longKey(20, 0);
    longKey.back() = 1;
    t.Insert(PositionKey(longKey, 21));
    t.Insert(Key({16}, -2));  // a value too large to pack
    t.Insert(Key({0, 16}, 3));
    for (int32_t a = 1; a <= 7; ++a) {
        t.Insert(Key({a}, a % 2 ? -2 : 3));
    }
    EXPECT_EQ(t.Lookup(Key({16}, 0)), 0);
    t.Insert(Key({15}, -2));
    EXPECT_EQ(t.Lookup(Key({16}, 0)), -2);
    EXPECT_EQ(t.Lookup(PositionKey(longKey, 0)), 21);
    const std::string expected =
        "1 1 -2\n1 2 3\n1 3 -2\n1 4 3\n1 5 -2\n1 6 3\n1 7 -2\n1 15 -2\n1 16 -2\n2 0 16 3\n"
        "20 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 21\n";
    EXPECT_EQ(Lines(t), expected);
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), "11\n" + expected);
    PositionTable loaded;
    EXPECT_EQ(loaded.Load(), LoadStatus::Loaded);
    EXPECT_EQ(Lines(loaded), expected);
    EXPECT_EQ(loaded.GetEntry(8).GetValue(0), 16);
}
