// The document's defaults and New Game: a fresh position from the options in the same
// document, the selection emptied, the computer's opening when it plays first, and a blank
// message area for the human.
#include <gtest/gtest.h>

#include "fake_board_view.h"
#include "game/new_game.h"
#include "game/torvel_doc.h"
#include "support/temp_dir.h"

namespace {

using Rows = std::vector<int32_t>;

class NewGame : public ::testing::Test {
  protected:
    testsupport::TempDir workDir;
    game::CTorvelDoc document;
    testsupport::FakeBoardView view{document};
};

TEST_F(NewGame, TheDocumentStartsWithFourRowsAndTheHumanFirst) {
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
    EXPECT_EQ(document.rowCountOption, 4);
    EXPECT_TRUE(document.humanFirst);
    ASSERT_NE(document.engine.GetTable(), nullptr);
    // The document's own new step leaves the game alone.
    document.engine.ApplyMove(engine::Move{3, 2});
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 5}));
}

TEST_F(NewGame, GivesTheOptionsBoardEmptySelectionAndABlankMessageAreaDrawnOnce) {
    for (int32_t rows : {4, 3}) {
        document.rowCountOption = rows;
        document.engine.ApplyMove(engine::Move{2, 4});
        view.state = {};
        view.state.messageLine1 = "You lose, you took the last stick.";
        view.state.messageLine2 = "something";
        view.state.selectedRow = 3;
        view.state.sticksTaken = 2;
        view.state.humanToMove = false;
        view.redraws.clear();
        const table::PositionTable* table = document.engine.GetTable();
        game::NewGame(document, view);
        const Rows expected = rows == 4 ? Rows{1, 3, 5, 7} : Rows{1, 3, 5};
        EXPECT_EQ(document.engine.GetRows(), expected);
        EXPECT_EQ(document.engine.GetTable(), table);
        EXPECT_TRUE(view.state.humanToMove);
        EXPECT_EQ(view.state.messageLine1, "");
        EXPECT_EQ(view.state.messageLine2, " ");
        // No selection is carried over, not even to a row the new board lacks.
        EXPECT_EQ(view.state.sticksTaken, 0);
        EXPECT_EQ(view.state.selectedRow, 0);
        EXPECT_TRUE(view.playCommands.empty());
        // Drawn once, at the end, with everything in place.
        ASSERT_EQ(view.redraws.size(), 1u);
        EXPECT_EQ(view.redraws[0].rows, expected);
        EXPECT_EQ(view.redraws[0].state.messageLine1, "");
        EXPECT_EQ(document.rowCountOption, rows);
    }
}

TEST_F(NewGame, AfterTheOptionsChangedSetsUpTheirRowsAndLetsTheComputerOpen) {
    document.rowCountOption = 7;
    document.humanFirst = false;
    // The game in progress is not touched by the options themselves.
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
    game::NewGame(document, view);
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7, 9, 11, 13}));
    // The Play command was issued once, with the computer to move and nothing selected.
    EXPECT_EQ(view.playCommands, (std::vector<bool>{false}));
    EXPECT_TRUE(view.state.humanToMove);
    EXPECT_EQ(view.state.messageLine1, "");
    EXPECT_EQ(view.state.messageLine2, " ");
    EXPECT_EQ(document.rowCountOption, 7);
    EXPECT_FALSE(document.humanFirst);
}

}  // namespace
