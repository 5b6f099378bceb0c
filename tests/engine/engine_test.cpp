// The rules, the scores and the computer's choice, and the search and its table against the
// plain model of tests/support: the same moves, the same keys in the same places, the same files.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "engine/game_engine.h"
#include "engine/saved_game.h"
#include "engine/turn_texts.h"
#include "support/reference_model.h"
#include "support/temp_dir.h"

namespace {

using engine::GameEngine;
using engine::Move;
using reference::Rows;
using reference::Snapshot;

GameEngine At(const Rows& rows, std::shared_ptr<table::PositionTable> t = nullptr) {
    GameEngine e(t ? t : std::make_shared<table::PositionTable>(""));
    e.SetRows(rows);
    return e;
}

Rows StartRows(int32_t count) {
    Rows rows;
    for (int32_t i = 0; i < count; ++i) {
        rows.push_back(2 * i + 1);
    }
    return rows;
}

// A table in the working directory that keeps the text of every file it writes (a save writes
// its count line, then its keys).
std::shared_ptr<table::PositionTable> Recorded(std::vector<std::string>& saves) {
    auto t = std::make_shared<table::PositionTable>();
    t->SetWriter([&saves, calls = std::make_shared<size_t>(0)](int fd, std::string_view data) {
        if ((*calls)++ % 2 == 0) {
            saves.emplace_back();
        }
        saves.back().append(data);
        return files::WriteAll(fd, data);
    });
    return t;
}

TEST(GameEngine, RulesOfTheBoard) {
    testsupport::TempDir dir;
    GameEngine e;
    EXPECT_EQ(e.GetRows(), (Rows{1, 3, 5, 7}));
    ASSERT_NE(e.GetTable(), nullptr);
    e.Resize(7);
    EXPECT_EQ(Rows(e.GetRows().begin(), e.GetRows().begin() + 4), (Rows{1, 3, 5, 7}));
    e.Reset();
    EXPECT_EQ(e.GetRows(), StartRows(7));
    e.ApplyMove(Move{1, 2});
    e.Resize(3);
    EXPECT_EQ(e.GetRows(), (Rows{1, 1, 5}));
    e.SetRows({1, 3, 5, 7});
    for (Move bad : {Move{-1, 1}, Move{4, 1}, Move{1, 4}, Move{1, -1}, Move{}}) {
        EXPECT_FALSE(e.ApplyMove(bad)) << bad.row << ' ' << bad.number;
    }
    EXPECT_TRUE(e.ApplyMove(Move{2, 0}));
    EXPECT_EQ(e.GetSticks(-1) + e.GetSticks(4), 0);
    GameEngine copy(true);
    EXPECT_EQ(copy.GetTable(), nullptr);
    copy.SetFrom(e);
    EXPECT_TRUE(copy.ApplyMove(Move{3, 7}));
    EXPECT_EQ(copy.GetRows(), (Rows{1, 3, 5, 0}));
    EXPECT_EQ(e.GetRows(), (Rows{1, 3, 5, 7}));
    EXPECT_EQ(copy.GetTable(), e.GetTable());
    for (const Rows& rows : {Rows{0, 0, 1, 0}, Rows{0, 0}, Rows{}}) {
        EXPECT_EQ(At(rows).IsEmpty(), rows.size() != 4);
    }
    EXPECT_FALSE(std::filesystem::exists("debug_file.txt"));  // only a move with none to choose
    EXPECT_EQ(At({0, 0, 0}).ChooseMove(), Move{});
    EXPECT_EQ(testsupport::ReadFile("debug_file.txt"),
              "Here are the moves:\nHere's the one we're returning:\nRow = -1 Number = 0\n");
}

TEST(GameEngine, KeysAndScoresOfWorkedPositions) {
    const std::pair<Rows, const char*> keys[] = {{{1, 3, 5, 7}, "7 1 0 1 0 1 0 1 0\n"},
                                                 {{0, 3, 0, 3}, "3 0 0 2 0\n"},
                                                 {{2, 2, 1}, "2 1 2 0\n"},
                                                 {{0, 0, 0}, "0 0\n"}};
    for (const auto& [rows, key] : keys) {
        EXPECT_EQ(reference::Text(At(rows).CanonicalKey()), key);
    }
    const std::pair<Rows, int32_t> scores[] = {
        {{1}, -2},          {{1, 1}, 3},        {{2}, 3},          {{2, 2}, -4},
        {{1, 1, 1}, -4},    {{1, 2, 3}, -6},    {{3, 3}, -6},      {{2, 2, 1}, 5},
        {{0, 0, 1, 0}, -2}, {{0, 0}, 1},        {{1, 3, 5}, 7},    {{1, 3, 5, 7}, -16},
        {StartRows(5), 17}, {StartRows(6), 35}, {StartRows(7), 39}};
    auto shared = std::make_shared<table::PositionTable>("");
    for (int pass = 0; pass < 2; ++pass) {  // fresh tables and a shared one, then that one full
        for (const auto& [rows, score] : scores) {
            for (auto t : {std::make_shared<table::PositionTable>(""), shared}) {
                GameEngine e = At(rows, pass == 0 ? t : shared);
                EXPECT_EQ(e.Evaluate(), score);
                EXPECT_EQ(e.GetRows(), rows);
            }
        }
    }
    EXPECT_EQ(shared->GetEntryCount() + shared->GetRecentUsed(), 21317) << "all but the start";
    // The table receives the children, never the position itself; no table still scores.
    auto t = std::make_shared<table::PositionTable>("");
    EXPECT_EQ(At({1, 1}, t).Evaluate(), 3);
    EXPECT_EQ(Snapshot(*t), "--\n0 1\n1 1 -2\n");
    GameEngine scratch(true);
    scratch.SetRows({1, 3, 5});
    EXPECT_EQ(scratch.Evaluate(), 7);
}

TEST(Exactness, RandomPositionsAndTablesAgreeWithThePlainModel) {
    testsupport::TempDir dir;
    std::mt19937 random(20261206);
    auto randomRows = [&random](int32_t maxSticks) {
        Rows rows(std::uniform_int_distribution<size_t>(1, 7)(random));
        for (int32_t& sticks : rows) {
            sticks = std::uniform_int_distribution<int32_t>(0, std::min(4, maxSticks))(random);
            maxSticks -= sticks;
        }
        return rows;
    };
    for (int round = 0; round < 300; ++round) {
        std::filesystem::remove("torvelbase.txt");
        std::vector<std::string> saves;
        auto real = Recorded(saves);
        reference::Table model;
        for (int i = std::uniform_int_distribution<int>(0, 40)(random); i > 0; --i) {
            const Rows rows = randomRows(8);  // correct scores, in a random order
            reference::Table scratch;
            const auto key = reference::CanonicalKey(rows, reference::Evaluate(scratch, rows));
            real->Insert(table::PositionKey(key.values, key.score));
            model.Insert(key);
        }
        Rows rows = randomRows(round % 10 == 0 ? 3 : 9);
        if (round % 10 == 0) {
            rows.push_back(15 + round % 3);  // no game reaches it: searched, never stored
        }
        GameEngine e = At(rows, real);
        if (round % 2 == 0) {
            EXPECT_EQ(e.Evaluate(), reference::Evaluate(model, rows));
        } else if (!e.IsEmpty()) {
            const auto [row, number] = reference::ChooseMove(model, rows);
            EXPECT_EQ(e.ChooseMove(), (Move{row, number}));
        }
        EXPECT_EQ(e.GetRows(), rows);
        ASSERT_EQ(Snapshot(*real), model.Snapshot()) << "round " << round;
        ASSERT_EQ(saves, model.saves) << "round " << round;
    }
    reference::Table three;  // the model's first file of the three-row start, line by line
    reference::ChooseMove(three, StartRows(3));
    EXPECT_EQ(three.saves.front(),
              "11\n0 1\n1 1 -2\n1 2 3\n2 0 1 3\n2 1 1 3\n3 0 0 1 3\n3 1 0 1 3\n"
              "4 0 0 0 1 3\n4 1 0 0 1 3\n5 0 0 0 0 1 3\n5 1 0 0 0 1 3\n");
}

// The plain model takes too long on the seven-row start, so what it writes there is pinned: the
// files written in the computer's first move with no base file, by number and by a hash of all.
TEST(Exactness, TheSevenRowFirstMoveWritesThePlainModelsFiles) {
    testsupport::TempDir dir;
    uint64_t hash = testsupport::Hash("");
    size_t writes = 0;
    auto t = std::make_shared<table::PositionTable>();
    t->SetWriter([&](int fd, std::string_view data) {
        ++writes;
        hash = testsupport::Hash(data, hash);
        return files::WriteAll(fd, data);
    });
    EXPECT_EQ(At(StartRows(7), t).ChooseMove(), (Move{6, 11}));
    EXPECT_EQ(writes, 2u * 1937);
    EXPECT_EQ(t->GetEntryCount(), 21307);
    EXPECT_EQ(hash, 0xd818d7bc2369fcd1ull) << std::hex << hash;
}

// A saved game reads back as written, in any spacing and line ends; any other text is no saved
// game, and a broken one is refused at the line of its first problem.
TEST(SavedGame, ReadsBackWhatItWritesAndRefusesDamageByLine) {
    using engine::Player;
    const engine::SavedGame saved{
        6, false, {StartRows(4), {{Player::Human, {3, 2}}, {Player::Computer, {0, 1}}}}};
    const std::string head = "Torvel saved game, version 1\n",
                      options = "options rows 6 first computer\n";
    const std::string text = head + options + "start 1 3 5 7\nhuman 3 2\ncomputer 0 1\nend\n";
    EXPECT_EQ(engine::SavedGameText(saved), text);
    for (const std::string& form : {text, "\xEF\xBB\xBF" + head + "\r\n" + options +
                                              " start\t1 3 5  7\r\n"
                                              "\nhuman 3 2\ncomputer 0 1\nend"}) {
        const engine::SavedGameReading reading = engine::ReadSavedGame(form);
        EXPECT_EQ(reading.status, engine::SavedGameReading::Status::Loaded) << reading.problem;
        EXPECT_EQ(reading.saved, saved);
    }
    EXPECT_EQ(engine::RowsAfter(saved.game), (Rows{0, 3, 5, 5}));
    EXPECT_EQ(engine::RowsAfter(saved.game, 1), (Rows{1, 3, 5, 5}));
    EXPECT_TRUE(engine::HumanToMove(saved.game));
    const std::string any = "Torvel saved game, version 2\n" + options;  // any start that fits
    EXPECT_EQ(engine::SavedGameText({6, false, {{3, 4, 5}, {}}}), any + "start 3 4 5\nend\n");
    EXPECT_EQ(engine::ReadSavedGame(any + "start 13 0\nend").saved.game.start, (Rows{13, 0}));
    for (const char* other :
         {"", "0\n", "anything", "torvel saved game, version 1\n", "\nTorvel"}) {
        EXPECT_EQ(engine::ReadSavedGame(other).status,
                  engine::SavedGameReading::Status::NotASavedGame);
    }
    const std::string start = head + options + "start 1 3 5 7\n";
    const std::tuple<std::string, size_t, std::string> damaged[] = {
        {"Torvel saved game, version 3\n" + options, 1, "this Torvel reads only versions 1 and 2"},
        {any + "start 5 x", 3, "row 1 must start with a number of sticks, not 'x'"},
        {any + "start 3 14", 3, "row 1 cannot start with '14' sticks"},
        {any + "start 0 0", 3, "the position is empty"},
        {head, 1, "the file ends before its options line"},
        {head + "options rows 8 first human", 2, "the next game's rows must be 3 to 7, not '8'"},
        {head + "options rows 4 first nobody", 2, "the first player must be human or computer"},
        {head + "options rows 4", 2, "expected the options line"},
        {head + options + "\n\n", 4, "the file ends before its start line"},
        {head + options + "start 1 3 5 7 9 11 13 15", 3, "a game starts with 3 to 7 rows, not 8"},
        {head + options + "start 1 3 4 7", 3, "row 2 starts with 5 sticks, not '4'"},
        {start + "human 4 1", 4, "there is no row '4': the rows are 0 to 3"},
        {start + "human 3 0", 4, "a move takes one or more sticks, not '0'"},
        {start + "\nhuman 1 4", 5, "row 1 has only 3 sticks"},
        {start + "human 0 1\ncomputer 0 1", 5, "row 0 is empty"},
        {start + "player 1 1", 4, "expected a move (human or computer"},
        {start + "human 0 1\n", 4, "the file ends before its end line"},
        {head + options + "start 1 3 5\nhuman 0 1\ncomputer 1 3\nhuman 2 5\ncomputer 0 1", 7,
         "the game was over"},
        {start + "computer 0 1\nhuman 3 1\n\nhuman 2 1", 7, "the human moves twice in a row"},
        {start + "end\n\nhuman 0 1", 6, "nothing may follow the end line (line 4)"},
        {head + std::string(70000, 'x'), 2, "the file is larger than any saved game"}};
    for (const auto& [content, line, problem] : damaged) {
        const engine::SavedGameReading reading = engine::ReadSavedGame(content);
        EXPECT_EQ(reading.status, engine::SavedGameReading::Status::Damaged) << content;
        EXPECT_EQ(reading.line, line) << problem;
        EXPECT_TRUE(reading.problem.starts_with(problem)) << reading.problem;
    }
}

}  // namespace
