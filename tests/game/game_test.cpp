// The game control in the real program: the Play command (one move per command, each drawn at
// once, the thinking message on the screen before the search), New Game, and the Options
// command with its dialog and the Warning, answered through the modal runner.
#include <QDialog>

#include "engine/turn_texts.h"
#include "framework/modal_runner.h"
#include "game/options_dialog.h"
#include "support/program.h"

namespace {

const char kPrompt[] = "To take your turn, left click over a row and click 'Play.'";

class GameControl : public testsupport::Program {
  protected:
    // The computer to move on `rows`: any release of the left button lets it.
    void Reply(Rows rows) {
        document->engine.SetRows(std::move(rows));
        view->turn.humanToMove = false;
        drawings.clear();
        Click(OverRow(0));
    }
};

TEST_F(GameControl, EachPlayCommandMakesOneMoveAndDrawsItAtOnce) {
    Take(3, 3);
    ASSERT_EQ(drawings.size(), 7u);  // four presses, the human's move, thinking, the reply
    EXPECT_EQ(drawings[4].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(drawings[4].sticksTaken, 0);
    EXPECT_EQ(drawings[4].line1, "To take 3 sticks from row 3, click the 'Play' button.");
    EXPECT_EQ(drawings[5].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(drawings[5].line1 + '|' + drawings[5].line2, "The computer is thinking.| ");
    EXPECT_EQ(drawings[6].rows, document->engine.GetRows());
    EXPECT_EQ(drawings[6].line2, kPrompt);
    EXPECT_TRUE(view->turn.humanToMove);
    EXPECT_EQ(view->turn.sticksTaken + view->turn.selectedRow, 0);

    const std::pair<Rows, const char*> replies[] = {
        {{1, 0, 0, 0, 0, 0, 13}, "The computer took 13 sticks from row 6"},
        {{1, 1, 0, 0}, "The computer took 1 sticks from row 0"}};
    for (const auto& [rows, message] : replies) {
        view->turn.selectedRow = 2;
        view->turn.sticksTaken = 1;
        Reply(rows);
        EXPECT_EQ(drawings[1].sticksTaken, 0) << "no selection while the computer thinks";
        EXPECT_EQ(view->turn.messageLine1, message);
        EXPECT_EQ(view->turn.messageLine2, kPrompt);
        EXPECT_TRUE(view->turn.humanToMove);
    }
    for (const auto& [row, sticks] : std::vector<std::pair<int32_t, int32_t>>{{9, 2}, {1, 4}}) {
        document->engine.SetRows({1, 3, 5, 7});
        view->turn.humanToMove = true;
        view->turn.selectedRow = row;
        view->turn.sticksTaken = sticks;
        view->IssuePlayCommand();  // refused, and the turn passes anyway
        EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7}));
        EXPECT_FALSE(view->turn.humanToMove);
    }
}

TEST_F(GameControl, WhoeverTakesTheLastStickLosesAndThenNothingMoves) {
    document->engine.SetRows({1, 3, 5, 0});  // a click reads the rows anew, not the last drawing
    Click(OverRow(3));
    EXPECT_EQ(view->turn.sticksTaken, 0);
    document->engine.SetRows({0, 0, 0, 1});
    drawings.clear();
    Take(3, 1);
    EXPECT_EQ(view->turn.messageLine1 + '|' + view->turn.messageLine2,
              "You lose, you took the last stick.| ");
    EXPECT_FALSE(view->turn.humanToMove);
    ASSERT_EQ(drawings.size(), 4u);  // two presses, the empty board, the result
    EXPECT_EQ(drawings[2].rows, (Rows{0, 0, 0, 0}));
    Click(OnPlay());
    EXPECT_EQ(drawings.size(), 5u) << "the press draws; the Play command of the release does not";
    Reply({0, 0, 1, 0});
    EXPECT_EQ(view->turn.messageLine1 + '|' + view->turn.messageLine2,
              "You win, the computer took the last stick.| ");
    EXPECT_TRUE(view->turn.humanToMove);
    ASSERT_EQ(drawings.size(), 4u);  // the click, thinking, the move, the result
    EXPECT_EQ(drawings[2].line1, "The computer took 1 sticks from row 2");
    for (int32_t n : {0, 7, 10, 13, 100, 909, INT32_MAX}) {
        EXPECT_EQ(engine::NumberToText(n), std::to_string(n));
    }
}

TEST_F(GameControl, NewGameSetsUpTheOptionsAndLetsTheComputerOpen) {
    const table::PositionTable* positions = document->engine.GetTable();
    for (const bool humanFirst : {true, false}) {
        document->rowCountOption = humanFirst ? 3 : 7;
        document->humanFirst = humanFirst;
        view->turn.selectedRow = 3;
        view->turn.sticksTaken = 2;
        view->turn.humanToMove = false;
        drawings.clear();
        QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(document->engine.GetRows(),
                  humanFirst ? (Rows{1, 3, 5}) : (Rows{1, 3, 5, 7, 9, 11, 2}));
        EXPECT_EQ(document->engine.GetTable(), positions);
        EXPECT_TRUE(view->turn.humanToMove);
        EXPECT_EQ(view->turn.messageLine1 + '|' + view->turn.messageLine2, "| ");
        EXPECT_EQ(view->turn.sticksTaken + view->turn.selectedRow, 0);
        ASSERT_EQ(drawings.size(), humanFirst ? 1u : 3u);  // thinking and the reply, then blank
        EXPECT_EQ(drawings.back().line1, "");
    }
    EXPECT_EQ(drawings[0].rows, (Rows{1, 3, 5, 7, 9, 11, 13}));
}

// Each opening of Options runs one script: the buttons to click, then OK or Cancel (any other
// value is a dialog closed another way). The Warning is noted and closed.
class Options : public GameControl {
  protected:
    void Open(std::vector<int> clicks, int end) {
        opened.clear();
        framework::ScopedModalRunner runner([&](QDialog& window) {
            framework::Dialog* shown = framework::Dialog::FromWindow(window);
            opened.push_back(window.windowTitle().toStdString());
            if (opened.back() == "Warning") {
                return framework::kIdOk;
            }
            for (int id = game::kThreeRowsButton; id <= game::kComputerFirstButton; ++id) {
                EXPECT_EQ(shown->IsDlgButtonChecked(id), 0) << "button " << id << " at opening";
            }
            for (int id : clicks) {
                EXPECT_TRUE(shown->ClickDlgButton(id));
            }
            checked.clear();
            for (int id = game::kThreeRowsButton; id <= game::kComputerFirstButton; ++id) {
                if (shown->IsDlgButtonChecked(id) != 0) {
                    checked.push_back(id);
                }
            }
            if (end == framework::kIdOk || end == framework::kIdCancel) {
                EXPECT_TRUE(shown->ClickDlgButton(end));
                return window.result();
            }
            return end;
        });
        view->turn.messageLine1 = "something";
        EXPECT_TRUE(Run(game::kOptionsCommand));
        EXPECT_EQ(view->turn.messageLine1, " ");
    }
    std::vector<std::string> opened;
    std::vector<int> checked;
};

TEST_F(Options, TheLastClicksCountAtOkAndWaitForTheNextGame) {
    Open({}, framework::kIdOk);  // no click ever: four rows, the human first
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Warning"}));
    EXPECT_EQ(document->rowCountOption, 4);
    EXPECT_TRUE(document->humanFirst);
    Open({1001, 1005, 1010, 1009, 1010}, framework::kIdOk);
    EXPECT_EQ(checked, (std::vector<int>{1005, 1010}));
    EXPECT_EQ(document->rowCountOption, 7);
    EXPECT_FALSE(document->humanFirst);
    EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7})) << "the game goes on";
    for (int end : {int(framework::kIdCancel), int(QDialog::Rejected)}) {
        Open({1004, 1009}, end);
        EXPECT_EQ(opened, (std::vector<std::string>{"Options"}));
        EXPECT_EQ(document->rowCountOption, 7);
        EXPECT_FALSE(document->humanFirst);
    }
    Open({}, framework::kIdOk);  // the clicks of a cancelled opening still count
    EXPECT_EQ(document->rowCountOption, 6);
    EXPECT_TRUE(document->humanFirst);
    const std::pair<int, int32_t> rowButtons[] = {{1001, 3}, {1002, 4}, {1003, 5}, {1004, 6}};
    for (const auto& [button, rows] : rowButtons) {
        Open({button}, framework::kIdOk);
        EXPECT_EQ(checked, std::vector<int>{button});
        EXPECT_EQ(document->rowCountOption, rows);
    }
}

}  // namespace
