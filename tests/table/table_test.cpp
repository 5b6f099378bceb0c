// The table's recent block and merges, and the base file: what a save writes, what a load
// accepts, and what a failed save leaves.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "table/table_keys.h"

namespace {

using reference::Text;
using table::LoadStatus;
using testsupport::ReadFile;
using testsupport::WriteFile;
using namespace tablekeys;

std::string Lines(const PositionTable& t) {
    const std::string snapshot = reference::Snapshot(t);
    return snapshot.substr(0, snapshot.find("--\n"));
}

TEST(PositionTable, TenKeysWaitAndTheEleventhMergesSortsAndSaves) {
    testsupport::TempDir dir;
    PositionTable t;
    const std::vector<PositionKey> keys = ElevenDescending();
    InsertAll(t, {keys.begin(), keys.end() - 1});
    t.Insert(keys[3]);
    t.Insert(Key({9}, 0));   // 0 means "not scored": refused, as are positions no game reaches:
    t.Insert(Key({8}, -2));  // eight rows, or two of 13 sticks
    t.Insert(Key({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, 3));
    EXPECT_EQ(t.GetRecentUsed(), 10);
    EXPECT_EQ(Text(t.GetRecent(2)), "2 2 1 3\n");
    EXPECT_EQ(t.Lookup(keys[3]), 0) << "a waiting key is not found";
    EXPECT_FALSE(std::filesystem::exists("torvelbase.txt"));
    t.Insert(keys[10]);
    EXPECT_EQ(t.GetEntryCount(), 11);
    EXPECT_EQ(t.GetRecentUsed(), 0);
    EXPECT_EQ(Lines(t), kSorted);
    EXPECT_EQ(ReadFile("torvelbase.txt"), std::string("11\n") + kSorted);
    EXPECT_EQ(t.GetStats().saves, 1u);
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
    EXPECT_TRUE(loaded.Save());
    EXPECT_EQ(ReadFile("torvelbase.txt"), "12\n0 1\n" + std::string(kSorted)) << "as read";
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
                              {"1\n1 8 -2\n", 2, "cannot arise"},  // eight rows
                              {"2\n0 1\n2 0 7 3\n", 3, "cannot arise"},
                              {"21318\n0 1\n", 3, "ends before a key's length"},
                              {"21319\n0 1\n", 1, "larger than any table"}};
    size_t told = 0;  // each load that finds damage tells it
    loaded.SetNoticeHandler([&told](const std::string&) { ++told; });
    for (const Damage& d : damaged) {
        WriteFile("torvelbase.txt", d.text);
        ASSERT_EQ(loaded.Load(), LoadStatus::Damaged) << d.text;
        EXPECT_EQ(loaded.GetEntryCount(), 0);
        EXPECT_EQ(loaded.GetLoadProblem().line, d.line) << d.text;
        EXPECT_NE(loaded.GetLoadProblem().what.find(d.what), std::string::npos)
            << loaded.GetLoadProblem().what;
    }
    EXPECT_EQ(told, std::size(damaged));
    WriteFile("torvelbase.txt", "1\n0 1\n" + std::string(table::kMaxBaseFileBytes, ' '));
    EXPECT_EQ(loaded.Load(), LoadStatus::Damaged) << "no table is that large";
    WriteFile("torvelbase.txt", "0\n");
    EXPECT_EQ(loaded.Load(), LoadStatus::Loaded);
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
            return files::WriteAll(fd, data.substr(0, fits)) && fits == data.size();
        });
        InsertAll(t, ElevenDescending());
        EXPECT_EQ(t.GetStats().failedSaves, 1u);
        EXPECT_EQ(ReadFile("torvelbase.txt"), "1\n0 1\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1) << "no leftover";
        t.SetWriter(files::WriteAll);
        EXPECT_TRUE(t.Save());
        EXPECT_EQ(ReadFile("torvelbase.txt"), "12\n0 1\n" + std::string(kSorted));
    }
    PositionTable beneath("torvelbase.txt/inner.txt");  // no folder to write in
    InsertAll(beneath, ElevenDescending());
    EXPECT_EQ(beneath.GetEntryCount(), 11);
    EXPECT_FALSE(beneath.Save());
}

}  // namespace
