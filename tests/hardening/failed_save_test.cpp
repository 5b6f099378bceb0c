// Saves that cannot be written: a disk that fills up at any byte of a save, a disk that fills up
// in the middle of a search, a base path beneath a regular file, a base path that is a folder.
// Each leaves the previous file exactly as it was, no temporary file behind, and the table in
// memory complete, so that the next save that can be written writes what a run without trouble
// would. (Tests run as root in CI, and permission bits do not stop root, so none relies on them.)

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/game_engine.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "table/base_file.h"
#include "table/position_table.h"

namespace fs = std::filesystem;
using table::LoadStatus;
using table::PositionKey;
using table::PositionTable;

namespace {

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A disk with `room` bytes left: writes what fits, then fails as write(2) does with ENOSPC.
table::WriteFunction DiskWithRoom(size_t room) {
    auto left = std::make_shared<size_t>(room);
    return [left](int fd, std::string_view data) {
        const size_t fits = std::min(*left, data.size());
        *left -= fits;
        return table::WriteAll(fd, data.substr(0, fits)) && fits == data.size();
    };
}

// Whether a write is the first of a save: the count line, the only one with no space in it.
bool IsCountLine(std::string_view data) {
    return !data.empty() && data.find(' ') == std::string_view::npos;
}

// A writer that works for saves [0, from) and from `until` on, and fails in between.
table::WriteFunction DiskFullForSaves(size_t from, size_t until) {
    auto saves = std::make_shared<size_t>(0);
    return [saves, from, until](int fd, std::string_view data) {
        const size_t save = *saves - (IsCountLine(data) ? 0 : 1);
        if (IsCountLine(data)) {
            ++*saves;
        }
        return (save < from || save >= until) && table::WriteAll(fd, data);
    };
}

// Runs the computer's move for `rows` on a table kept in `path`.
engine::Move MoveWith(const std::shared_ptr<PositionTable>& positionTable,
                      std::vector<int32_t> rows) {
    engine::GameEngine game(positionTable);
    game.SetRows(std::move(rows));
    return game.ChooseMove();
}

// Eleven keys, plausible and new to any table of a game of up to seven rows (length 14).
std::vector<PositionKey> ElevenNewKeys() {
    std::vector<PositionKey> keys;
    for (int32_t i = 0; i < 11; ++i) {
        std::vector<int32_t> values(14, 0);
        values[0] = i;
        values[13] = 1;
        keys.emplace_back(values, -2);
    }
    return keys;
}

}  // namespace

TEST(FailedSave, ADiskThatFillsUpAtAnyByteLeavesThePreviousFileWhole) {
    testsupport::TempDir dir;
    const std::string base = dir.File("torvelbase.txt");
    ASSERT_EQ(MoveWith(std::make_shared<PositionTable>(base), {1, 3, 5, 7}), (engine::Move{0, 1}));
    const std::string previous = testsupport::ReadFile(base);
    ASSERT_FALSE(previous.empty());

    // What the save writes when the disk has room: the same table, saved without trouble.
    fs::create_directory(dir.Path() / "roomy");
    const std::string roomyBase = (dir.Path() / "roomy" / "torvelbase.txt").string();
    fs::copy_file(base, roomyBase);
    PositionTable roomy(roomyBase);
    ASSERT_EQ(roomy.Load(), LoadStatus::Loaded);
    for (const PositionKey& key : ElevenNewKeys()) {
        roomy.Insert(key);
    }
    const std::string wanted = testsupport::ReadFile(roomyBase);
    ASSERT_EQ(roomy.GetStats().saves, 1u);
    ASSERT_GT(wanted.size(), previous.size());

    // Every byte count up to the count line and past it, then every 97th, then the last ones.
    std::vector<size_t> rooms;
    for (size_t room = 0; room < wanted.size(); room += room < 40 ? 1 : 97) {
        rooms.push_back(room);
    }
    for (size_t room = wanted.size() - 3; room < wanted.size(); ++room) {
        rooms.push_back(room);
    }
    for (const size_t room : rooms) {
        SCOPED_TRACE("room for " + std::to_string(room) + " of " + std::to_string(wanted.size()) +
                     " bytes");
        PositionTable t(base);
        ASSERT_EQ(t.Load(), LoadStatus::Loaded);
        const int32_t before = t.GetEntryCount();
        t.SetWriter(DiskWithRoom(room));
        for (const PositionKey& key : ElevenNewKeys()) {
            t.Insert(key);  // the eleventh merges and saves
        }
        EXPECT_EQ(t.GetStats().failedSaves, 1u);
        EXPECT_EQ(t.GetStats().saves, 0u);
        ASSERT_TRUE(testsupport::ReadFile(base) == previous);
        ASSERT_EQ(Names(dir.Path()), (std::vector<std::string>{"roomy", "torvelbase.txt"}));

        // The table kept everything; once there is room, the save is the one without trouble.
        EXPECT_EQ(t.GetEntryCount(), before + 11);
        for (const PositionKey& key : ElevenNewKeys()) {
            EXPECT_EQ(t.Lookup(key), -2);
        }
        t.SetWriter(table::WriteAll);
        ASSERT_TRUE(t.Save());
        ASSERT_TRUE(testsupport::ReadFile(base) == wanted);
        testsupport::WriteFile(base, previous);  // back to the previous file for the next count
    }
}

TEST(FailedSave, ADiskFullInTheMiddleOfASearchKeepsTheLastGoodFile) {
    testsupport::TempDir dir;
    const std::vector<int32_t> fiveRows = {1, 3, 5, 7, 9};

    // Every file a search without trouble writes, in order.
    fs::create_directory(dir.Path() / "clean");
    const std::string cleanBase = (dir.Path() / "clean" / "torvelbase.txt").string();
    std::vector<std::string> cleanSaves;
    {
        auto t = std::make_shared<PositionTable>(cleanBase);
        t->SetWriter([&cleanSaves](int fd, std::string_view data) {
            if (IsCountLine(data)) {
                cleanSaves.emplace_back();
            }
            cleanSaves.back().append(data);
            return table::WriteAll(fd, data);
        });
        ASSERT_EQ(MoveWith(t, fiveRows), (engine::Move{4, 9}));
    }
    ASSERT_GE(cleanSaves.size(), 60u);
    const std::string cleanFinal = testsupport::ReadFile(cleanBase);
    ASSERT_EQ(cleanFinal, cleanSaves.back());

    const size_t saves = cleanSaves.size();
    for (const size_t from : {size_t{0}, size_t{1}, saves / 2, saves - 1}) {
        SCOPED_TRACE("the disk is full from save " + std::to_string(from) + " of " +
                     std::to_string(saves));
        const std::string base = dir.File("torvelbase.txt");
        fs::remove(base);
        auto t = std::make_shared<PositionTable>(base);
        t->SetWriter(DiskFullForSaves(from, saves + 1));
        EXPECT_EQ(MoveWith(t, fiveRows), (engine::Move{4, 9}));
        EXPECT_EQ(t->GetStats().failedSaves, saves - from);
        if (from == 0) {
            EXPECT_FALSE(fs::exists(base));
        } else {
            ASSERT_TRUE(testsupport::ReadFile(base) == cleanSaves[from - 1]);
            PositionTable reread(base);
            EXPECT_EQ(reread.Load(), LoadStatus::Loaded);
        }
        EXPECT_EQ(Names(dir.Path()).size(), from == 0 ? 1u : 2u);  // "clean" and the base file

        // Room again: the next save writes the whole table, as a run without trouble left it.
        t->SetWriter(table::WriteAll);
        ASSERT_TRUE(t->Save());
        EXPECT_TRUE(testsupport::ReadFile(base) == cleanFinal);
    }

    // A disk that is full for a while in the middle: the saves after it catch up.
    const std::string base = dir.File("torvelbase.txt");
    fs::remove(base);
    auto t = std::make_shared<PositionTable>(base);
    t->SetWriter(DiskFullForSaves(saves / 3, saves / 3 + 5));
    EXPECT_EQ(MoveWith(t, fiveRows), (engine::Move{4, 9}));
    EXPECT_EQ(t->GetStats().failedSaves, 5u);
    EXPECT_TRUE(testsupport::ReadFile(base) == cleanFinal);
}

TEST(FailedSave, ABasePathBeneathARegularFileChangesNothing) {
    testsupport::TempDir dir;
    testsupport::WriteFile("blocker", "not a folder\n");
    const testsupport::RunResult run = testsupport::RunProgram(
        TORVEL_CLI, {"move", "--base", "blocker/torvelbase.txt", "1", "3", "5", "7", "9"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "4 9\n");
    EXPECT_EQ(testsupport::ReadFile("blocker"), "not a folder\n");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"blocker"});

    // The table keeps what it could not save.
    auto t = std::make_shared<PositionTable>("blocker/torvelbase.txt");
    EXPECT_EQ(MoveWith(t, {1, 3, 5, 7, 9}), (engine::Move{4, 9}));
    EXPECT_GT(t->GetStats().failedSaves, 60u);
    EXPECT_EQ(t->GetStats().saves, 0u);
    EXPECT_EQ(t->GetEntryCount(), 715);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"blocker"});
}

TEST(FailedSave, ABasePathThatIsAFolderIsNeitherReplacedNorFilled) {
    testsupport::TempDir dir;
    fs::create_directory("torvelbase.txt");
    testsupport::WriteFile("torvelbase.txt/inside", "kept\n");
    const testsupport::RunResult run =
        testsupport::RunProgram(TORVEL_CLI, {"move", "1", "3", "5", "7"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0 1\n");
    EXPECT_TRUE(fs::is_directory("torvelbase.txt"));
    EXPECT_EQ(Names("torvelbase.txt"), std::vector<std::string>{"inside"});
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt/inside"), "kept\n");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"torvelbase.txt"});
}

TEST(FailedSave, ABasePathInAFolderThatDoesNotExistCreatesNothing) {
    testsupport::TempDir dir;
    const testsupport::RunResult run = testsupport::RunProgram(
        TORVEL_CLI, {"move", "--base", "missing/torvelbase.txt", "1", "3", "5", "7", "9"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "4 9\n");
    EXPECT_TRUE(Names(dir.Path()).empty());
}
