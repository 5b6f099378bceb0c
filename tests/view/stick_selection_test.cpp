// Playing with the mouse on the real board view: QTest mouse events at pixel positions select
// and return sticks, and a press and release on the drawn Play button plays the selection and
// brings the computer's reply. Whole games are played this way. Also the view's answers to the
// Messages hints and its own commands (New Game, Play, print, Options).
#include <gtest/gtest.h>

#include <QTest>
#include <climits>

#include "view/board_geometry.h"

#include "game/command_ids.h"
#include "game/torvel_doc.h"
#include "support/temp_dir.h"
#include "view/torvel_view.h"

namespace {

using Rows = std::vector<int32_t>;

const char kFirstPrompt[] = "Left click on a row to remove one or more sticks.";
const char kReplaceLine[] = "To replace sticks, right click over the row they were taken from.";

// The board view, noting what each drawing showed and every Play command routed through it.
class WatchedView : public view::CTorvelView {
  public:
    struct Drawing {
        Rows rows;
        std::string line1;
        int32_t sticksTaken;
    };
    void OnDraw(QPainter& painter) override {
        drawings.push_back({GetDocument()->engine.GetRows(), messageLine1, sticksTaken});
        CTorvelView::OnDraw(painter);
    }
    bool OnCmdMsg(framework::CommandId id, int code, void* extra,
                  framework::HandlerInfo* handlerInfo) override {
        if (id == game::kPlayCommand) {
            ++playCommands;
        }
        if (code == framework::kCnCommand && handlerInfo == nullptr) {
            routed.push_back({id, humanToMove});
        }
        return CTorvelView::OnCmdMsg(id, code, extra, handlerInfo);
    }
    std::vector<Drawing> drawings;
    int playCommands = 0;
    std::vector<std::pair<framework::CommandId, bool>> routed;  // with humanToMove at the time
};

class StickSelection : public ::testing::Test {
  protected:
    void SetUp() override {
        document.AddView(&board);
        board.resize(600, 520);
        board.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
        // Off the board and the button, so that the first move is a real one.
        QTest::mouseMove(&board, QPoint(590, 5));
        board.drawings.clear();
    }

    int32_t RowCount() const { return document.engine.GetRowCount(); }
    // A point over the body of the sticks of `row`.
    QPoint OverRow(int32_t row, int x = 300) const {
        return QPoint(x, 50 * (RowCount() - row) + 20);
    }
    QPoint OnPlay() const { return QPoint(210, board.height() - 80); }

    void MoveTo(QPoint point) { QTest::mouseMove(&board, point); }
    void LeftClick(QPoint point) {
        MoveTo(point);
        QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, point);
    }
    void RightClick(QPoint point) {
        MoveTo(point);
        QTest::mouseClick(&board, Qt::RightButton, Qt::NoModifier, point);
    }
    // What a person's double click sends: press, release, double click, release.
    void LeftDoubleClick(QPoint point) {
        LeftClick(point);
        QTest::mouseDClick(&board, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseRelease(&board, Qt::LeftButton, Qt::NoModifier, point);
    }
    void ClickPlay() { LeftClick(OnPlay()); }
    // Selects `number` sticks of `row` and plays them.
    void Take(int32_t row, int32_t number) {
        for (int32_t i = 0; i < number; ++i) {
            LeftClick(OverRow(row));
        }
        ASSERT_EQ(board.sticksTaken, number);
        ASSERT_EQ(board.selectedRow, row);
        ClickPlay();
    }
    // Plays a whole game, the human taking the search's best move each turn, and gives the
    // number of the human's turns.
    int PlayToTheEnd() {
        int turns = 0;
        while (!document.engine.IsEmpty() && turns < 40) {
            EXPECT_TRUE(board.humanToMove);
            const Rows before = document.engine.GetRows();
            const engine::Move best = document.engine.ChooseMove();
            Take(best.row, best.number);
            ++turns;
            if (!document.engine.IsEmpty()) {
                // The same release brought the reply: one move of the human and one of the
                // computer, in different drawings.
                EXPECT_TRUE(board.humanToMove);
                EXPECT_EQ(board.messageLine1.rfind("The computer took ", 0), 0u);
                EXPECT_EQ(board.messageLine2,
                          "To take your turn, left click over a row and click 'Play.'");
                int32_t left = 0;
                int32_t beforeTotal = 0;
                for (size_t r = 0; r < before.size(); ++r) {
                    left += document.engine.GetSticks(static_cast<int32_t>(r));
                    beforeTotal += before[r];
                }
                EXPECT_LT(left, beforeTotal - best.number);
            }
        }
        return turns;
    }

    testsupport::TempDir workDir;
    game::CTorvelDoc document;
    WatchedView board;
};

TEST_F(StickSelection, ThreeLeftClicksOnTheTopRowSelectThreeSticksAndSayWhatPlayWillDo) {
    for (int i = 0; i < 3; ++i) {
        LeftClick(QPoint(90, 60));
    }
    EXPECT_EQ(board.selectedRow, 3);
    EXPECT_EQ(board.sticksTaken, 3);
    EXPECT_EQ(board.messageLine1, "To take 3 sticks from row 3, click the 'Play' button.");
    EXPECT_EQ(board.messageLine2, kReplaceLine);
    // Every click drew at once.
    ASSERT_EQ(board.drawings.size(), 3u);
    EXPECT_EQ(board.drawings[0].sticksTaken, 1);
    EXPECT_EQ(board.drawings[0].line1, "To take 1 sticks from row 3, click the 'Play' button.");
    EXPECT_EQ(board.drawings[2].sticksTaken, 3);
    // Another row is ignored while sticks are selected; nothing is played by clicks.
    LeftClick(QPoint(90, 210));
    EXPECT_EQ(board.selectedRow, 3);
    EXPECT_EQ(board.sticksTaken, 3);
    EXPECT_EQ(board.messageLine1, "To take 3 sticks from row 3, click the 'Play' button.");
    EXPECT_EQ(board.playCommands, 0);
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
}

TEST_F(StickSelection, ARowGivesNoMoreSticksThanItHoldsAndADoubleClickCountsTwice) {
    for (int i = 0; i < 8; ++i) {
        LeftClick(OverRow(3));
    }
    EXPECT_EQ(board.sticksTaken, 7);
    RightClick(OverRow(3));
    RightClick(OverRow(3));
    RightClick(OverRow(3));
    EXPECT_EQ(board.sticksTaken, 4);
    LeftDoubleClick(OverRow(3));
    EXPECT_EQ(board.sticksTaken, 6);
    QTest::mouseDClick(&board, Qt::RightButton, Qt::NoModifier, OverRow(3));
    EXPECT_EQ(board.sticksTaken, 5);
    EXPECT_EQ(board.playCommands, 0);
}

TEST_F(StickSelection, RightClicksPutSticksBackOnlyInTheSelectedRow) {
    LeftClick(OverRow(2));
    LeftClick(OverRow(2));
    RightClick(OverRow(1));
    EXPECT_EQ(board.selectedRow, 2);
    EXPECT_EQ(board.sticksTaken, 2);
    RightClick(OverRow(2));
    EXPECT_EQ(board.messageLine1, "To take 1 sticks from row 2, click the 'Play' button.");
    RightClick(OverRow(2));
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, kFirstPrompt);
    EXPECT_EQ(board.messageLine2, "");
    // With nothing selected a right click only moves the selected row, and any row may start.
    RightClick(OverRow(0));
    EXPECT_EQ(board.selectedRow, 0);
    EXPECT_EQ(board.sticksTaken, 0);
    LeftClick(OverRow(1));
    EXPECT_EQ(board.selectedRow, 1);
    EXPECT_EQ(board.sticksTaken, 1);
}

TEST_F(StickSelection, TheHeightAloneChoosesTheRowAndAnyHeightIsARow) {
    struct Case {
        int x, y;
        int32_t row;
    };
    // Four rows: up to 100 the top row, 101 to 150 row 2, 151 to 200 row 1, then row 0.
    const Case cases[] = {{5, 1, 3},     {590, 100, 3}, {400, 101, 2}, {0, 150, 2},
                          {123, 151, 1}, {10, 200, 1},  {300, 201, 0}, {20, 515, 0}};
    for (const Case& c : cases) {
        LeftClick(QPoint(c.x, c.y));
        EXPECT_EQ(board.selectedRow, c.row) << "y " << c.y;
        EXPECT_EQ(board.sticksTaken, 1) << "y " << c.y;
        RightClick(QPoint(c.x, c.y));
        EXPECT_EQ(board.sticksTaken, 0);
    }
    // An empty row can be pointed at but gives nothing.
    document.engine.SetRows({1, 3, 0, 7});
    LeftClick(OverRow(2));
    EXPECT_EQ(board.selectedRow, 2);
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, kFirstPrompt);
    EXPECT_EQ(board.RowAt(-100000), 3);
    EXPECT_EQ(board.RowAt(100000), 0);
    EXPECT_EQ(view::BoardGeometry(4).RowAt(INT_MIN), 3);
    EXPECT_EQ(view::BoardGeometry(4).RowAt(INT_MAX), 0);
    EXPECT_EQ(view::BoardGeometry(7).RowAt(350), 1);
    EXPECT_EQ(view::BoardGeometry(7).RowAt(351), 0);
    EXPECT_EQ(view::BoardGeometry(0).RowAt(10), 0);
}

TEST_F(StickSelection, PlayNeedsAPressAndAReleaseOnTheButtonWithSticksSelected) {
    // Nothing selected: a click on the button plays nothing and selects nothing.
    ClickPlay();
    EXPECT_EQ(board.playCommands, 0);
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, kFirstPrompt);

    LeftClick(OverRow(3));
    // Pressed over a row, released on the button.
    MoveTo(OverRow(3));
    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, OverRow(3));
    QTest::mouseMove(&board, OnPlay());
    QTest::mouseRelease(&board, Qt::LeftButton, Qt::NoModifier, OnPlay());
    // Pressed on the button, moved off it and released there.
    MoveTo(OnPlay());
    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, OnPlay());
    QTest::mouseMove(&board, QPoint(300, 300));
    QTest::mouseRelease(&board, Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    // The outline is not the button.
    const view::Rect button = board.playButtonRect;
    for (QPoint edge :
         {QPoint(button.left, button.top + 5), QPoint(button.right, button.top + 5),
          QPoint(button.left + 5, button.top), QPoint(button.left + 5, button.bottom)}) {
        LeftClick(edge);
    }
    EXPECT_EQ(board.playCommands, 0);
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
    // Clicks on the outline are clicks on row 0, ignored while row 3 holds the selection.
    EXPECT_EQ(board.sticksTaken, 2);
    EXPECT_EQ(board.selectedRow, 3);
}

TEST_F(StickSelection, MovingOffTheButtonAndBackBeforeTheReleasePlays) {
    LeftClick(OverRow(0));
    MoveTo(OnPlay());
    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, OnPlay());
    QTest::mouseMove(&board, QPoint(20, 20));
    QTest::mouseMove(&board, OnPlay() + QPoint(5, 5));
    QTest::mouseRelease(&board, Qt::LeftButton, Qt::NoModifier, OnPlay() + QPoint(5, 5));
    // The human's move and the computer's reply: two Play commands in one release.
    EXPECT_EQ(board.playCommands, 2);
    EXPECT_EQ(document.engine.GetSticks(0), 0);
    EXPECT_TRUE(board.humanToMove);
}

TEST_F(StickSelection, OneReleaseDrawsTheHumansMoveThenTheThinkingThenTheReply) {
    Take(3, 3);
    EXPECT_EQ(board.playCommands, 2);
    // The drawings of the release, after the clicks and the press.
    std::vector<WatchedView::Drawing> release(board.drawings.end() - 3, board.drawings.end());
    EXPECT_EQ(release[0].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(release[0].line1, "To take 3 sticks from row 3, click the 'Play' button.");
    EXPECT_EQ(release[0].sticksTaken, 0);
    EXPECT_EQ(release[1].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(release[1].line1, "The computer is thinking.");
    EXPECT_NE(release[2].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(release[2].line1.rfind("The computer took ", 0), 0u);
    // The search filled the position table and wrote the base file.
    EXPECT_TRUE(std::filesystem::exists(workDir.File("torvelbase.txt")));
}

TEST_F(StickSelection, ClicksWhileTheComputerIsToMoveSelectNothingAndTheReleaseLetsItMove) {
    LeftClick(OverRow(2));
    board.humanToMove = false;
    board.messageLine1 = "waiting";
    const size_t drawings = board.drawings.size();
    RightClick(OverRow(2));
    MoveTo(OverRow(1));
    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, OverRow(1));
    EXPECT_EQ(board.selectedRow, 2);
    EXPECT_EQ(board.sticksTaken, 1);
    EXPECT_EQ(board.messageLine1, "waiting");
    EXPECT_EQ(board.drawings.size(), drawings + 2);
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
    // The release issues the Play command, which finds the computer to move.
    QTest::mouseRelease(&board, Qt::LeftButton, Qt::NoModifier, OverRow(1));
    EXPECT_EQ(board.playCommands, 1);
    EXPECT_TRUE(board.humanToMove);
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1.rfind("The computer took ", 0), 0u);
    EXPECT_NE(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
}

TEST_F(StickSelection, AGameMovedFirstByTheHumanIsLostAndStaysLost) {
    // From 1, 3, 5, 7 the side to move loses against perfect play.
    PlayToTheEnd();
    EXPECT_TRUE(document.engine.IsEmpty());
    EXPECT_FALSE(board.humanToMove);
    EXPECT_EQ(board.messageLine1, "You lose, you took the last stick.");
    EXPECT_EQ(board.messageLine2, " ");
    // Clicks change neither the selection nor the messages, yet draw; every left release
    // issues the Play command, which finds the game over.
    const int commands = board.playCommands;
    const size_t drawings = board.drawings.size();
    LeftClick(OverRow(3));
    RightClick(OverRow(3));
    LeftDoubleClick(OverRow(2));
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, "You lose, you took the last stick.");
    EXPECT_EQ(board.drawings.size(), drawings + 4);
    EXPECT_EQ(board.playCommands, commands + 3);
    EXPECT_TRUE(document.engine.IsEmpty());
}

TEST_F(StickSelection, AGameOpenedByTheComputerIsWonWithPerfectPlay) {
    document.humanFirst = false;
    board.OnCmdMsg(framework::kFileNew, framework::kCnCommand, nullptr, nullptr);
    EXPECT_TRUE(board.humanToMove);
    int32_t left = 0;
    for (int32_t r = 0; r < 4; ++r) {
        left += document.engine.GetSticks(r);
    }
    EXPECT_LT(left, 16);
    PlayToTheEnd();
    EXPECT_TRUE(document.engine.IsEmpty());
    EXPECT_TRUE(board.humanToMove);
    EXPECT_EQ(board.messageLine1, "You win, the computer took the last stick.");
    EXPECT_EQ(board.messageLine2, " ");
    // The next click only brings back the first prompt.
    const int commands = board.playCommands;
    LeftClick(OverRow(3));
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, kFirstPrompt);
    EXPECT_EQ(board.playCommands, commands);
}

TEST_F(StickSelection, TheComputerOpensASevenRowGame) {
    document.rowCountOption = 7;
    document.humanFirst = false;
    board.OnCmdMsg(framework::kFileNew, framework::kCnCommand, nullptr, nullptr);
    // Its message was drawn during the command; the game then waits with a blank area.
    bool reported = false;
    for (const WatchedView::Drawing& drawing : board.drawings) {
        reported = reported || drawing.line1.rfind("The computer took ", 0) == 0;
    }
    EXPECT_TRUE(reported);
    EXPECT_EQ(board.messageLine1, "");
    EXPECT_EQ(board.messageLine2, " ");
    EXPECT_TRUE(board.humanToMove);
    EXPECT_EQ(document.engine.GetRowCount(), 7);
    int32_t left = 0;
    for (int32_t r = 0; r < 7; ++r) {
        left += document.engine.GetSticks(r);
    }
    EXPECT_LT(left, 49);
    // The human goes on with the mouse: three from the top row, which holds 13 or what the
    // computer left of them.
    const int32_t top = document.engine.GetSticks(6);
    LeftClick(OverRow(6));
    EXPECT_EQ(board.selectedRow, 6);
    EXPECT_EQ(board.sticksTaken, top > 0 ? 1 : 0);
}

TEST_F(StickSelection, TheMessagesHintsSwitchTheMessageAreaOnlyFromOthers) {
    board.OnUpdate(&board, game::kMessagesHiddenCommand, nullptr);
    for (long hint : {0L, 12345L, -1L}) {
        board.OnUpdate(nullptr, hint, nullptr);
    }
    board.OnInitialUpdate();
    EXPECT_TRUE(board.showMessages);
    EXPECT_TRUE(board.drawings.empty());
    // From the document, as the frame sends them, they switch and draw at once.
    document.UpdateAllViews(nullptr, game::kMessagesHiddenCommand);
    EXPECT_FALSE(board.showMessages);
    EXPECT_EQ(board.drawings.size(), 1u);
    board.OnUpdate(nullptr, game::kMessagesShowCommand, nullptr);
    EXPECT_TRUE(board.showMessages);
    EXPECT_EQ(board.drawings.size(), 2u);
}

TEST_F(StickSelection, TheViewOwnsNewGamePrintAndOptionsButNotPlay) {
    document.rowCountOption = 3;
    LeftClick(OverRow(2));
    LeftClick(OverRow(2));
    board.drawings.clear();
    EXPECT_TRUE(board.OnCmdMsg(framework::kFileNew, framework::kCnCommand, nullptr, nullptr));
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5}));
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, "");
    EXPECT_EQ(board.messageLine2, " ");
    ASSERT_EQ(board.drawings.size(), 1u);
    EXPECT_EQ((Rows(board.rowSticks.begin(), board.rowSticks.begin() + 3)), (Rows{1, 3, 5}));
    // When the computer opens, New Game routes the Play command through the view.
    document.rowCountOption = 5;
    document.humanFirst = false;
    board.routed.clear();
    board.OnCmdMsg(framework::kFileNew, framework::kCnCommand, nullptr, nullptr);
    ASSERT_EQ(board.routed.size(), 2u);
    EXPECT_EQ(board.routed[1], std::make_pair(framework::CommandId{game::kPlayCommand}, false));
    EXPECT_TRUE(board.humanToMove);
    EXPECT_EQ(document.engine.GetRowCount(), 5);
    // Play is nobody's handler and answers false; print and Options are the view's.
    EXPECT_FALSE(board.OnCmdMsg(game::kPlayCommand, framework::kCnCommand, nullptr, nullptr));
    EXPECT_FALSE(board.OnCmdMsg(game::kPlayCommand, 7, nullptr, nullptr));
    EXPECT_FALSE(board.HasCommandHandler(game::kPlayCommand));
    for (framework::CommandId id :
         {framework::kFilePrint, framework::kFilePrintPreview, game::kOptionsCommand}) {
        EXPECT_TRUE(board.HasCommandHandler(id)) << id;
    }
}

TEST_F(StickSelection, ClicksAnywhereAtAnyTimeAreSafe) {
    for (QPoint point : {QPoint(0, 0), QPoint(210, 400), QPoint(599, 519), QPoint(-5, 9000)}) {
        QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseClick(&board, Qt::RightButton, Qt::NoModifier, point);
        QTest::mouseDClick(&board, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseMove(&board, point);
    }
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
}

}  // namespace
