// The search and its table checked against two independent models: a plain recursive solver
// with no table at all (for scores and moves), and a plain model of the table and search that
// follows every rule step by step (for the keys held, where they are held, and every file
// written).

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <sstream>

#include "engine/game_engine.h"
#include "support/reference_model.h"
#include "support/save_capture.h"
#include "support/temp_dir.h"

using engine::GameEngine;

namespace {

int32_t PlainScore(std::vector<int32_t>& rows) {
    engine::BestScore best;
    bool any = false;
    for (int32_t& sticks : rows) {
        const int32_t held = sticks;
        for (int32_t n = 1; n <= held; ++n) {
            any = true;
            sticks = held - n;
            best.Offer(engine::MoveScore(PlainScore(rows)));
            sticks = held;
        }
    }
    return any ? best.Chosen() : 1;
}

engine::Move PlainChoice(std::vector<int32_t> rows) {
    const int32_t best = PlainScore(rows);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int32_t n = 1; n <= rows[r]; ++n) {
            rows[r] -= n;
            const int32_t t = engine::MoveScore(PlainScore(rows));
            rows[r] += n;
            if (t == best) {
                return engine::Move{static_cast<int32_t>(r), n};
            }
        }
    }
    return engine::Move{};
}

std::string Text(const table::PositionKey& key) {
    std::ostringstream out;
    table::WriteText(out, key);
    return out.str();
}

// The observable table: the main array in order, then the keys waiting in the recent block.
std::string Snapshot(const table::PositionTable& t) {
    std::string text;
    for (const table::PositionKey& key : t.GetEntries()) {
        text += Text(key) + "\n";
    }
    text += "--\n";
    for (int32_t i = 0; i < t.GetRecentUsed(); ++i) {
        text += Text(t.GetRecent(i)) + "\n";
    }
    return text;
}

std::string Snapshot(const reference::Table& t) {
    std::string text;
    for (const reference::Key& key : t.entries) {
        text += key.Text() + "\n";
    }
    text += "--\n";
    for (int32_t i = 0; i < t.recentUsed; ++i) {
        text += t.recent[i].Text() + "\n";
    }
    return text;
}

std::vector<int32_t> StartRows(int32_t count) {
    std::vector<int32_t> rows;
    for (int32_t i = 0; i < count; ++i) {
        rows.push_back(2 * i + 1);
    }
    return rows;
}

// Up to seven rows holding at most `maxSticks` sticks in all, small enough for the plain solver.
std::vector<int32_t> RandomRows(std::mt19937& random, int32_t maxSticks) {
    std::vector<int32_t> rows(std::uniform_int_distribution<size_t>(1, 7)(random));
    int32_t total = 0;
    for (int32_t& sticks : rows) {
        sticks = std::uniform_int_distribution<int32_t>(0, std::min(4, maxSticks - total))(random);
        total += sticks;
    }
    std::shuffle(rows.begin(), rows.end(), random);
    return rows;
}

struct RealSide {
    testsupport::SaveCapture capture;
    std::shared_ptr<table::PositionTable> table = std::make_shared<table::PositionTable>();
    RealSide() { table->SetWriter(capture.Writer()); }
    GameEngine At(const std::vector<int32_t>& rows) const {
        GameEngine e(table);
        e.SetRows(rows);
        return e;
    }
};

}  // namespace

TEST(Exactness, WholeGamesLeaveTheSameTablesAndFilesAsThePlainModel) {
    testsupport::TempDir dir;
    for (int32_t rowCount = 3; rowCount <= 6; ++rowCount) {
        RealSide real;
        reference::Table model;
        std::vector<int32_t> rows = StartRows(rowCount);
        // The computer plays both sides to the end, its table carried from move to move.
        while (std::any_of(rows.begin(), rows.end(), [](int32_t s) { return s > 0; })) {
            const engine::Move move = real.At(rows).ChooseMove();
            const reference::Move expected = reference::ChooseMove(model, rows);
            ASSERT_EQ(move.row, expected.row);
            ASSERT_EQ(move.number, expected.number);
            ASSERT_EQ(*real.capture.saves, model.saves) << rowCount << " rows";
            ASSERT_EQ(Snapshot(*real.table), Snapshot(model)) << rowCount << " rows";
            rows[static_cast<size_t>(move.row)] -= move.number;
        }
        EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), model.saves.back());
    }
}

TEST(Exactness, RandomPositionsAndTablesAgreeWithBothModels) {
    testsupport::TempDir dir;
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        // Some correct scores to start from, inserted in a random order.
        RealSide real;
        reference::Table model;
        const int inserts = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < inserts; ++i) {
            std::vector<int32_t> rows = RandomRows(random, 8);
            table::PositionKey key = real.At(rows).CanonicalKey();
            key.SetScore(PlainScore(rows));  // the rows come back as they were
            real.table->Insert(key);
            reference::Key modelKey = reference::CanonicalKey(rows);
            modelKey.score = key.GetScore();
            model.Insert(modelKey);
        }
        ASSERT_EQ(Snapshot(*real.table), Snapshot(model));

        const std::vector<int32_t> rows = RandomRows(random, 9);
        const int32_t total = std::accumulate(rows.begin(), rows.end(), 0);
        GameEngine e = real.At(rows);
        std::vector<int32_t> scratch = rows;
        const int32_t plain = PlainScore(scratch);
        if (round % 2 == 0) {
            EXPECT_EQ(e.Evaluate(), plain);
            EXPECT_EQ(reference::Evaluate(model, rows), plain);
        } else if (total > 0) {
            const engine::Move move = e.ChooseMove();
            EXPECT_EQ(move, PlainChoice(rows));
            const reference::Move expected = reference::ChooseMove(model, rows);
            EXPECT_EQ(move, (engine::Move{expected.row, expected.number}));
        }
        EXPECT_EQ(e.GetRows(), rows);
        ASSERT_EQ(Snapshot(*real.table), Snapshot(model)) << "round " << round;
        ASSERT_EQ(*real.capture.saves, model.saves) << "round " << round;
    }
}

// The plain model takes several seconds on the seven-row start, so its result is kept here:
// the number of files written during the computer's first move with no base file, the number
// of keys in the last, and a hash of the text of every file in order.
TEST(Exactness, TheSevenRowFirstMoveWritesTheSameFilesAsThePlainModel) {
    testsupport::TempDir dir;
    testsupport::SaveHasher hasher;
    auto t = std::make_shared<table::PositionTable>();
    t->SetWriter(hasher.Writer());
    GameEngine e(t);
    e.SetRows(StartRows(7));
    EXPECT_EQ(e.ChooseMove(), (engine::Move{6, 11}));
    EXPECT_EQ(hasher.Saves(), 1937u);
    EXPECT_EQ(t->GetEntryCount(), 21307);
    EXPECT_EQ(*hasher.hash, 0xd818d7bc2369fcd1ull) << std::hex << *hasher.hash;
}
