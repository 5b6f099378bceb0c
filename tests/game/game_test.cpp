// The game control in the real program: the Play command (one move per command, each drawn at
// once, the thinking message on the screen before the search), New Game, and the Options
// command with its dialog and the Warning, answered through the modal runner.
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QStatusBar>

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
    EXPECT_EQ(view->turn.sticksTaken + view->turn.selectedRow + !view->turn.humanToMove, 0);

    const std::pair<Rows, const char*> replies[] = {
        {{1, 0, 0, 0, 0, 0, 13}, "The computer took 13 sticks from row 6"},
        {{1, 1, 0, 0}, "The computer took 1 sticks from row 0"}};
    for (const auto& [rows, message] : replies) {
        view->turn.selectedRow = 2;
        view->turn.sticksTaken = 1;
        Reply(rows);
        EXPECT_EQ(drawings[1].sticksTaken, 0) << "no selection while the computer thinks";
        EXPECT_EQ(view->turn.messageLine1 + '|' + view->turn.messageLine2 + '|' +
                      std::to_string(view->turn.humanToMove),
                  std::string(message) + '|' + kPrompt + "|1");
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
    EXPECT_EQ(view->turn.humanToMove + view->turn.selectedRow, 0) << "no selection left";
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
        EXPECT_EQ(view->turn.messageLine1 + '|' + view->turn.messageLine2, "| ");
        EXPECT_EQ(view->turn.sticksTaken + view->turn.selectedRow + !view->turn.humanToMove, 0);
        ASSERT_EQ(drawings.size(), humanFirst ? 1u : 3u);  // thinking and the reply, then blank
        EXPECT_EQ(drawings.back().line1, "");
        EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(),  // what the lines do not say
                  humanFirst ? "" : "The computer opened by taking 11 sticks from row 6.");
    }
    EXPECT_EQ(drawings[0].rows, (Rows{1, 3, 5, 7, 9, 11, 13}));
}

// Each opening of Options clicks `clicks`, then types `keys` (v for Down; none that ends it: closed
// another way). `path` is what a screen reader read as each key came: box or dialog (never the
// control's label too, or a reader would name the box at every arrow), control, and for a radio
// button x or o. The Warning is noted and closed.
class Options : public GameControl {
  protected:
    void Open(std::vector<int> clicks, const std::string& keys) {
        opened.clear();
        path.clear();
        checked.clear();
        framework::ScopedModalRunner runner([&](QDialog& window) {
            framework::Dialog* shown = framework::Dialog::FromWindow(window);
            opened.push_back(window.windowTitle().toStdString());
            window.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            window.activateWindow();
            for (int id = game::kThreeRowsButton; opened.size() == 1 && id <= 1010; ++id) {
                EXPECT_EQ(shown->IsDlgButtonChecked(id), 0) << "button " << id << " at opening";
            }
            for (int id : opened.size() == 1 ? clicks : std::vector<int>{}) {
                EXPECT_TRUE(shown->ClickDlgButton(id) && !shown->ClickDlgButton(0));
            }
            for (char key : opened.size() == 1 ? keys : "\r") {
                QAccessibleInterface* read =
                    QAccessible::queryAccessibleInterface(QApplication::focusWidget());
                path += (read->parent()->text(QAccessible::Name).section(' ', 0, 0) +  // box
                         (read->relations(QAccessible::Label).empty() ? ":" : " labels:") +
                         read->text(QAccessible::Name).section(' ', 0, 0) +
                         (read->role() != QAccessible::RadioButton ? "|"
                          : read->state().checked                  ? " x|"
                                                                   : " o|"))
                            .toStdString();
                key == 'v' ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down)
                           : QTest::keyClick(QApplication::focusWidget(), key);
            }
            for (int id = game::kThreeRowsButton; opened.size() == 1 && id <= 1010; ++id) {
                checked.insert(checked.end(), shown->IsDlgButtonChecked(id), id);  // if checked
            }
            return window.result();
        });
        view->turn.messageLine1 = "something";
        EXPECT_TRUE(Run(game::kOptionsCommand));
        EXPECT_EQ(view->turn.messageLine1, " ");
    }
    std::vector<std::string> opened;
    std::vector<int> checked;
    std::string path;
};

TEST_F(Options, TheLastChoicesCountAtOkAndWaitForTheNextGame) {
    Open({}, "\r");  // no choice ever: four rows, the human first
    EXPECT_EQ(opened.back() + std::to_string(document->rowCountOption * 10 + document->humanFirst),
              "Warning41");
    // By keys alone: Tab from box to box and to the buttons, arrows within a box, Space chooses.
    Open({}, "\t\t vvvv\tv \t\r");
    EXPECT_EQ(path,
              "Options:OK|Options:Cancel|Number:Three o|Number:Three x|Number:Four x|Number:Five "
              "x|Number:Six x|Number:Seven x|Playing:Human o|Playing:Computer o|Playing:Computer "
              "x|Options:OK|Warning:OK|");
    EXPECT_EQ(checked, (std::vector<int>{1005, 1010}));
    EXPECT_EQ(document->rowCountOption * 10 + document->humanFirst, 70);
    for (const std::string end : {"\x1b", "\t\r", ""}) {  // Escape, Cancel, closed another way
        Open({1004, 1009}, end);
        EXPECT_EQ(
            opened.back() + std::to_string(document->rowCountOption * 10 + document->humanFirst),
            "Options70");
    }
    Open({}, "\r");  // the clicks of a cancelled opening still count
    EXPECT_EQ(document->rowCountOption * 10 + document->humanFirst, 61);
    const std::pair<std::vector<int>, int32_t> rowButtons[] = {
        {{1001}, 3}, {{1002}, 4}, {{1001, 1003}, 5}, {{1005, 1004}, 6}};
    for (const auto& [buttons, rows] : rowButtons) {
        Open(buttons, "\r");
        EXPECT_EQ(checked, std::vector<int>{game::kThreeRowsButton + rows - 3});
        EXPECT_EQ(document->rowCountOption, rows);
    }
}

}  // namespace
