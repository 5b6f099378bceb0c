#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "engine/game_engine.h"
#include "support/save_capture.h"
#include "support/temp_dir.h"

using engine::GameEngine;
using engine::Move;

namespace {

std::string Text(const table::PositionKey& key) {
    std::ostringstream out;
    table::WriteText(out, key);
    return out.str();
}

GameEngine Position(std::vector<int32_t> rows, std::shared_ptr<table::PositionTable> t = nullptr) {
    GameEngine e(t ? t : std::make_shared<table::PositionTable>(""));
    e.SetRows(std::move(rows));
    return e;
}

struct Example {
    std::vector<int32_t> rows;
    int32_t score;
};

const std::vector<Example> kExamples = {
    {{1}, -2},
    {{1, 1}, 3},
    {{2}, 3},
    {{2, 2}, -4},
    {{1, 1, 1}, -4},
    {{1, 2, 3}, -6},
    {{3, 3}, -6},
    {{2, 2, 1}, 5},
    {{1, 3, 5}, 7},
    {{1, 3, 5, 7}, -16},
    {{1, 3, 5, 7, 9}, 17},
    {{1, 3, 5, 7, 9, 11}, 35},
    {{1, 3, 5, 7, 9, 11, 13}, 39},
};

}  // namespace

TEST(Evaluate, CanonicalKeysForgetRowOrderAndEmptyRows) {
    EXPECT_EQ(Text(Position({1, 3, 5, 7}).CanonicalKey()), "7 1 0 1 0 1 0 1 0");
    EXPECT_EQ(Text(Position({0, 3, 0, 3}).CanonicalKey()), "3 0 0 2 0");
    EXPECT_EQ(Text(Position({2, 2, 1}).CanonicalKey()), "2 1 2 0");
    EXPECT_EQ(Text(Position({0, 0, 0}).CanonicalKey()), "0 0");
    EXPECT_EQ(Text(Position({3, 1}).CanonicalKey()), Text(Position({1, 3}).CanonicalKey()));
    EXPECT_EQ(Text(Position({0, 0, 1, 0}).CanonicalKey()), Text(Position({1}).CanonicalKey()));
    EXPECT_EQ(Position({0, 0, 1, 0}).Evaluate(), -2);
}

TEST(Evaluate, WorkedScoresHoldOnAFreshTableAndOnAFilledOne) {
    auto shared = std::make_shared<table::PositionTable>("");
    for (const Example& example : kExamples) {
        GameEngine fresh = Position(example.rows);
        EXPECT_EQ(fresh.Evaluate(), example.score);
        EXPECT_EQ(fresh.GetRows(), example.rows) << "the position is left as it was";
        EXPECT_EQ(Position(example.rows, shared).Evaluate(), example.score);
    }
    // Twice over, now that the table holds every position of the seven-row game.
    for (const Example& example : kExamples) {
        EXPECT_EQ(Position(example.rows, shared).Evaluate(), example.score);
    }
    EXPECT_EQ(shared->GetEntryCount() + shared->GetRecentUsed(), 21317)
        << "every key of the seven-row game but its start";
}

TEST(Evaluate, TheTableReceivesChildrenButNeverThePositionItself) {
    auto t = std::make_shared<table::PositionTable>("");
    EXPECT_EQ(Position({0, 0}, t).Evaluate(), 1);
    ASSERT_EQ(t->GetRecentUsed(), 1);
    EXPECT_EQ(Text(t->GetRecent(0)), "0 1");

    t = std::make_shared<table::PositionTable>("");
    EXPECT_EQ(Position({1, 1}, t).Evaluate(), 3);
    EXPECT_EQ(t->GetEntryCount(), 0);
    ASSERT_EQ(t->GetRecentUsed(), 2);
    EXPECT_EQ(Text(t->GetRecent(0)), "0 1");
    EXPECT_EQ(Text(t->GetRecent(1)), "1 1 -2");

    // A scratch engine that has no table still scores, remembering nothing.
    GameEngine scratch(true);
    scratch.SetRows({1, 3, 5});
    EXPECT_EQ(scratch.Evaluate(), 7);
}

TEST(ChooseMove, PlaysTheQuickestWinOrTheSlowestLossAndTheFirstAmongEquals) {
    testsupport::TempDir dir;
    struct Case {
        std::vector<int32_t> rows;
        Move move;
    };
    const Case cases[] = {
        {{1, 3, 5}, {2, 3}},
        {{1, 3, 5, 7}, {0, 1}},
        {{1, 3, 5, 7, 9}, {4, 9}},
        {{1, 3, 5, 7, 9, 11}, {1, 2}},
        {{1, 3, 5, 7, 9, 11, 13}, {6, 11}},
        {{1, 1}, {0, 1}},
        {{2}, {0, 1}},
        {{2, 2}, {0, 1}},
        {{0, 0, 1, 0}, {2, 1}},
    };
    for (const Case& c : cases) {
        GameEngine e = Position(c.rows);
        EXPECT_EQ(e.ChooseMove(), c.move) << c.rows.size() << " rows";
        EXPECT_EQ(e.GetRows(), c.rows);
        EXPECT_TRUE(e.ApplyMove(c.move));
    }
    EXPECT_FALSE(std::filesystem::exists("debug_file.txt"));
}

TEST(ChooseMove, AnImpossibleChoiceIsRecordedInTheDiagnosticFile) {
    testsupport::TempDir dir;
    GameEngine empty = Position({0, 0, 0});
    EXPECT_EQ(empty.ChooseMove(), Move{});
    EXPECT_EQ(testsupport::ReadFile("debug_file.txt"),
              "Here are the moves:\nHere's the one we're returning:\nRow = -1 Number = 0\n");
}

TEST(BaseFile, TheFirstThreeRowMoveWritesElevenKeysThenTwentyTwo) {
    testsupport::TempDir dir;
    testsupport::SaveCapture capture;
    auto t = std::make_shared<table::PositionTable>();
    t->SetWriter(capture.Writer());
    GameEngine e(t);
    e.Resize(3);
    e.Reset();
    EXPECT_EQ(e.ChooseMove(), (Move{2, 3}));
    ASSERT_GE(capture.saves->size(), 2u);
    EXPECT_EQ((*capture.saves)[0],
              "11\n"
              "0 1\n"
              "1 1 -2\n"
              "1 2 3\n"
              "2 0 1 3\n"
              "2 1 1 3\n"
              "3 0 0 1 3\n"
              "3 1 0 1 3\n"
              "4 0 0 0 1 3\n"
              "4 1 0 0 1 3\n"
              "5 0 0 0 0 1 3\n"
              "5 1 0 0 0 1 3\n");
    const std::string& second = (*capture.saves)[1];
    EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 23);
    EXPECT_TRUE(second.starts_with("22\n0 1\n1 1 -2\n1 2 3\n1 3 -4\n"));
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), capture.saves->back());
}
