// The position key's order and text, the table's recent block and merges, and the base file:
// what a save writes, what a load accepts, and what a failed save leaves.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "support/reference_model.h"
#include "support/temp_dir.h"

namespace {

using reference::Text;
using table::LoadStatus;
using table::PositionKey;
using table::PositionTable;
using testsupport::ReadFile;
using testsupport::WriteFile;

PositionKey Key(std::vector<int32_t> values, int32_t score) {
    return PositionKey(values, score);
}

std::string Lines(const PositionTable& t) {
    const std::string snapshot = reference::Snapshot(t);
    return snapshot.substr(0, snapshot.find("--\n"));
}

// Eleven distinct plausible keys, in descending order; the last eleven lines are their order.
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
const char kSorted[] =
    "1 1 -2\n1 2 3\n1 3 -2\n1 4 3\n1 5 -2\n1 6 3\n1 7 -2\n2 1 1 3\n2 2 1 3\n2 3 1 3\n2 4 1 3\n";

void InsertAll(PositionTable& t, const std::vector<PositionKey>& keys) {
    for (const PositionKey& key : keys) {
        t.Insert(key);
    }
}

TEST(PositionKey, OrderEqualityAndText) {
    EXPECT_TRUE(PositionKey().IsLess(Key({1}, 0)));
    EXPECT_TRUE(Key({5, 5}, 3).IsLess(Key({0, 0, 1}, 3)));  // shorter first, whatever the values
    EXPECT_FALSE(Key({0, 0, 1}, 3).IsLess(Key({5, 5}, 3)));
    EXPECT_TRUE(Key({1, 0, 1}, 3).IsLess(Key({1, 1, 0}, 3)));
    EXPECT_TRUE(Key({1, 1, 0}, 3).IsGreater(Key({1, 0, 1}, 3)));
    // Only the receiver's score counts, and scores are never compared.
    EXPECT_TRUE(Key({1, 0, 1}, -4).IsEqual(Key({1, 0, 1}, 0)));
    EXPECT_TRUE(Key({1, 0, 1}, -4).IsEqual(Key({1, 0, 1}, 7)));
    EXPECT_FALSE(Key({1, 0, 1}, 0).IsEqual(Key({1, 0, 1}, -4)));
    EXPECT_TRUE(Key({1, 0, 1}, 0).IsGreater(Key({1, 0, 1}, -4)));
    EXPECT_FALSE(Key({1, 0, 1}, -4).IsGreater(Key({1, 0, 1}, 0)));
    EXPECT_EQ(Text(Key({1, 0, 1}, -4)) + Text(Key({}, 1)), "3 1 0 1 -4\n0 1\n");
    std::istringstream in("3\t1 \r\n 1   0\n-6 2 4 5 9");
    PositionKey key = Key({7, 7, 7}, 1);
    ASSERT_TRUE(table::ReadText(in, key) && Text(key) == "3 1 1 0 -6\n");
    ASSERT_TRUE(table::ReadText(in, key) && Text(key) == "2 4 5 9\n");
    for (const char* bad : {"", "3 1 0", "x 1", "-1 5", "2000000000 1 2"}) {
        std::istringstream badIn(bad);
        EXPECT_FALSE(table::ReadText(badIn, key)) << bad;
    }
}

TEST(PositionTable, TenKeysWaitAndTheEleventhMergesSortsAndSaves) {
    testsupport::TempDir dir;
    PositionTable t;
    const std::vector<PositionKey> keys = ElevenDescending();
    InsertAll(t, {keys.begin(), keys.end() - 1});
    t.Insert(keys[3]);
    t.Insert(Key({9}, 0));  // 0 means "not scored": refused
    EXPECT_EQ(t.GetRecentUsed(), 10);
    EXPECT_EQ(Text(t.GetRecent(2)), "2 2 1 3\n");
    EXPECT_EQ(t.Lookup(keys[3]), 0) << "a waiting key is not found";
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));
    t.Insert(keys[10]);
    EXPECT_EQ(t.GetEntryCount(), 11);
    EXPECT_EQ(t.GetRecentUsed(), 0);
    EXPECT_EQ(Lines(t), kSorted);
    EXPECT_EQ(ReadFile("torvelbase.txt"), std::string("11\n") + kSorted);
    for (const PositionKey& key : keys) {
        EXPECT_EQ(t.Lookup(Key({key.GetValues().begin(), key.GetValues().end()}, 0)),
                  key.GetScore());
    }
    t.Insert(Key({1}, 99));
    EXPECT_EQ(t.Lookup(Key({1}, 0)), -2) << "a stored score never changes";
    EXPECT_EQ(t.GetRecentUsed(), 0);
}

TEST(PositionTable, LoadTakesSoundFilesAndDropsDamagedOnes) {
    testsupport::TempDir dir;
    WriteFile("torvelbase.txt", "12\r\n0 1\r\n" + std::string(kSorted));  // CR LF loads as LF
    PositionTable loaded;
    loaded.Insert(Key({0, 0, 0, 1}, 3));  // a load drops what the table held
    ASSERT_EQ(loaded.Load(), LoadStatus::Loaded);
    EXPECT_EQ(Lines(loaded), "0 1\n" + std::string(kSorted));
    EXPECT_EQ(loaded.GetRecentUsed(), 0);
    EXPECT_EQ(loaded.Lookup(Key({7}, 0)), -2);
    std::filesystem::remove("torvelbase.txt");
    EXPECT_EQ(loaded.Load(), LoadStatus::Missing);
    EXPECT_EQ(loaded.GetEntryCount(), 12) << "a file that does not open changes nothing";
    struct Damage {
        const char* text;
        size_t line;
        const char* what;
    };
    const Damage damaged[] = {{"", 1, "ends before the key count"},
                              {"2\n0 1\n", 3, "ends before a key's length"},
                              {"1\n0 1x\n", 2, "not a decimal"},
                              {"-3\n", 1, "negative"},
                              {"99999999999\n", 1, "out of range"},
                              {"1\n0 1\n\nextra\n", 4, "text follows"},
                              {"2\n1 1 -2\n0 1\n", 3, "ascending"},
                              {"2\n1 1 -2\n1 1 -2\n", 3, "ascending"},
                              {"1\n3 1 0 0 -4\n", 2, "last value is 0"},
                              {"1\n2 -1 1 3\n", 2, "value is negative"},
                              {"1\n-1 1\n", 2, "length is negative"},
                              {"1\n1 1 3\n", 2, "impossible"},   // one stick is always lost,
                              {"1\n1 1 -4\n", 2, "impossible"},  // in one move
                              {"1\n1 1 0\n", 2, "impossible"},
                              {"1\n0 3\n", 2, "impossible"},  // the empty key scores 1
                              {"1\n2 1 1 99\n", 2, "impossible"},
                              {"99999\n0 1\n", 1, "larger than any table"}};
    for (const Damage& d : damaged) {
        WriteFile("torvelbase.txt", d.text);
        ASSERT_EQ(loaded.Load(), LoadStatus::Damaged) << d.text;
        EXPECT_EQ(loaded.GetEntryCount(), 0);
        EXPECT_EQ(loaded.GetLoadProblem().line, d.line) << d.text;
        EXPECT_NE(loaded.GetLoadProblem().what.find(d.what), std::string::npos)
            << loaded.GetLoadProblem().what;
    }
    WriteFile("torvelbase.txt", "1\n0 1\n" + std::string(table::kMaxBaseFileBytes, ' '));
    EXPECT_EQ(loaded.Load(), LoadStatus::Damaged) << "no table is that large";
    WriteFile("torvelbase.txt", "0\n");
    EXPECT_EQ(loaded.Load(), LoadStatus::Loaded);
    PositionTable memory("/proc/self/mem");
    EXPECT_EQ(memory.Load(), LoadStatus::Unreadable);
    EXPECT_EQ(memory.GetLoadProblem().what, "Input/output error");
}

TEST(PositionTable, SavesInSharedAndHostileFolders) {
    testsupport::TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directory("real");
    WriteFile("real/base.txt", "1\n0 1\n");
    fs::permissions("real/base.txt", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real/base.txt", "torvelbase.txt");
    WriteFile("victim", "mine");
    for (int n = 0; n < 10; ++n) {  // links planted where a save's temporary file could go
        const std::string pid = std::to_string(::getpid());
        fs::create_symlink("../victim", "real/base.txt.tmp" + pid + "-" + std::to_string(n));
    }
    WriteFile("real/base.txt.tmp4194305-x1y2z3", "left by a run killed long ago");
    WriteFile("real/base.txt.tmp" + std::to_string(::getpid()) + "-live", "a running save");
    PositionTable first;
    PositionTable second;
    ASSERT_EQ(first.Load(), LoadStatus::Loaded);
    ASSERT_EQ(second.Load(), LoadStatus::Loaded);
    EXPECT_FALSE(fs::exists("real/base.txt.tmp4194305-x1y2z3"));
    EXPECT_TRUE(fs::exists("real/base.txt.tmp" + std::to_string(::getpid()) + "-live"));
    InsertAll(first, ElevenDescending());
    InsertAll(second, {Key({8}, 3), Key({9}, -2), Key({10}, 3), Key({11}, -2), Key({12}, 3),
                       Key({13}, -2), Key({14}, 3), Key({0, 2}, -4), Key({0, 3}, -4),
                       Key({0, 0, 2}, -6), Key({0, 0, 3}, 7)});
    EXPECT_EQ(ReadFile("victim"), "mine");
    EXPECT_TRUE(fs::is_symlink("torvelbase.txt"));
    EXPECT_EQ(fs::status("real/base.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadFile("torvelbase.txt").substr(0, 3), "23\n")
        << "the second kept the first's keys";
    EXPECT_TRUE(second.Sync());
    fs::create_symlink("loop", "loop");
    PositionTable looped("loop");
    EXPECT_EQ(looped.Load(), LoadStatus::Unreadable);  // too many levels of links
    InsertAll(looped, ElevenDescending());  // the link is set aside, and the save goes on
    EXPECT_TRUE(fs::is_symlink("loop.damaged") && fs::is_regular_file("loop"));
}

TEST(PositionTable, AFailedSaveAtAnyByteKeepsTheOldFileAndTheWholeTable) {
    testsupport::TempDir dir;
    for (size_t room = 0; room < 80; room += 7) {
        WriteFile("torvelbase.txt", "1\n0 1\n");
        PositionTable t;
        ASSERT_EQ(t.Load(), LoadStatus::Loaded);
        t.SetWriter([left = room](int fd, std::string_view data) mutable {
            const size_t fits = std::min(left, data.size());  // a disk that fills up
            left -= fits;
            return table::WriteAll(fd, data.substr(0, fits)) && fits == data.size();
        });
        InsertAll(t, ElevenDescending());
        EXPECT_EQ(t.GetStats().failedSaves, 1u);
        EXPECT_EQ(ReadFile("torvelbase.txt"), "1\n0 1\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1) << "no leftover";
        t.SetWriter(table::WriteAll);
        EXPECT_TRUE(t.Save());
        EXPECT_EQ(ReadFile("torvelbase.txt"), "12\n0 1\n" + std::string(kSorted));
    }
    std::filesystem::create_directory("folder");
    PositionTable blocked("folder");
    EXPECT_EQ(blocked.Load(), LoadStatus::Missing);
    PositionTable beneath("torvelbase.txt/inner.txt");
    for (PositionTable* t : {&blocked, &beneath}) {
        InsertAll(*t, ElevenDescending());
        EXPECT_EQ(t->GetEntryCount(), 11);
        EXPECT_FALSE(t->Save());
    }
    EXPECT_TRUE(std::filesystem::is_empty("folder"));
}

TEST(PositionTable, KeysTooLargeToPackKeepTheirPlaceInTheOrder) {
    testsupport::TempDir dir;
    PositionTable t;
    std::vector<int32_t> longKey(20, 0);
    longKey.back() = 1;
    InsertAll(t,
              {PositionKey(longKey, 21), Key({16}, -2), Key({0, 16}, 3), Key({1}, -2), Key({2}, 3),
               Key({3}, -2), Key({4}, 3), Key({5}, -2), Key({6}, 3), Key({1, 1}, 3)});
    EXPECT_EQ(t.Lookup(Key({16}, 0)), 0);
    t.Insert(Key({15}, -2));
    EXPECT_EQ(t.Lookup(Key({16}, 0)), -2);
    EXPECT_EQ(t.Lookup(PositionKey(longKey, 0)), 21);
    const std::string expected =
        "1 1 -2\n1 2 3\n1 3 -2\n1 4 3\n1 5 -2\n1 6 3\n1 15 -2\n1 16 -2\n2 0 16 3\n2 1 1 3\n"
        "20 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 21\n";
    EXPECT_EQ(ReadFile("torvelbase.txt"), "11\n" + expected);
    PositionTable loaded;
    ASSERT_EQ(loaded.Load(), LoadStatus::Loaded);
    EXPECT_EQ(Lines(loaded), expected);
    EXPECT_EQ(Text(loaded.GetEntry(7)), "1 16 -2\n");
    PositionTable memoryOnly("");  // with no file, nothing has put the merged keys in order yet
    InsertAll(memoryOnly, ElevenDescending());
    EXPECT_EQ(Text(memoryOnly.GetEntry(0)) + Text(memoryOnly.GetEntry(10)), "1 1 -2\n2 4 1 3\n");
}

}  // namespace
