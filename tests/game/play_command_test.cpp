// The Play command on a board view without a window: one move per command according to whose
// turn it is, the board drawn between the steps (the thinking message before the search), the
// four messages, the end of the game, and NumberToText.
#include <gtest/gtest.h>

#include <cstdint>

#include "fake_board_view.h"
#include "game/number_to_text.h"
#include "game/play_command.h"
#include "game/torvel_doc.h"
#include "support/temp_dir.h"

namespace {

using testsupport::FakeBoardView;
using Rows = std::vector<int32_t>;

const char kPrompt[] = "To take your turn, left click over a row and click 'Play.'";

class PlayCommand : public ::testing::Test {
  protected:
    void Select(int32_t row, int32_t sticks) {
        view.state.selectedRow = row;
        view.state.sticksTaken = sticks;
        view.state.messageLine1 = "selection line";
        view.state.messageLine2 = "replace line";
    }
    void Play() { game::PlayCommand(document, view); }

    testsupport::TempDir workDir;
    game::CTorvelDoc document;
    FakeBoardView view{document};
};

TEST_F(PlayCommand, TheHumansMoveIsDrawnWithItsSelectionMessagesAndPassesTheTurn) {
    Select(3, 3);
    Play();
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 4}));
    EXPECT_FALSE(view.state.humanToMove);
    EXPECT_EQ(view.state.sticksTaken, 0);
    EXPECT_EQ(view.state.selectedRow, 0);
    // Drawn once, with the move made, the selection gone and the messages left as they were.
    ASSERT_EQ(view.redraws.size(), 1u);
    EXPECT_EQ(view.redraws[0].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(view.redraws[0].state.sticksTaken, 0);
    EXPECT_EQ(view.redraws[0].state.messageLine1, "selection line");
    EXPECT_EQ(view.redraws[0].state.messageLine2, "replace line");
}

TEST_F(PlayCommand, TheComputerThinksOnTheScreenBeforeItSearchesThenReportsItsMove) {
    document.engine.SetRows({1, 3, 5, 4});
    view.state.humanToMove = false;
    view.state.selectedRow = 2;
    view.state.sticksTaken = 1;
    const engine::Move expected = document.engine.ChooseMove();
    Play();

    ASSERT_EQ(view.redraws.size(), 2u);
    // First drawing: the position before the search, no selection, the thinking message.
    EXPECT_EQ(view.redraws[0].rows, (Rows{1, 3, 5, 4}));
    EXPECT_EQ(view.redraws[0].state.messageLine1, "The computer is thinking.");
    EXPECT_EQ(view.redraws[0].state.messageLine2, " ");
    EXPECT_EQ(view.redraws[0].state.sticksTaken, 0);
    EXPECT_FALSE(view.redraws[0].state.humanToMove);
    // Second: the reply made and reported, the human's prompt.
    engine::GameEngine after(document.engine.GetSharedTable());
    after.SetRows({1, 3, 5, 4});
    ASSERT_TRUE(after.ApplyMove(expected));
    EXPECT_EQ(view.redraws[1].rows, after.GetRows());
    EXPECT_EQ(view.redraws[1].state.messageLine1,
              "The computer took " + std::to_string(expected.number) + " sticks from row " +
                  std::to_string(expected.row));
    EXPECT_EQ(view.redraws[1].state.messageLine2, kPrompt);
    EXPECT_EQ(document.engine.GetRows(), after.GetRows());
    EXPECT_TRUE(view.state.humanToMove);
    EXPECT_EQ(view.state.sticksTaken, 0);
}

TEST_F(PlayCommand, TheComputersMessageCarriesTheNumbersAsTheyAre) {
    struct Case {
        Rows rows;
        const char* message;
    };
    const Case cases[] = {
        // Taking all thirteen leaves the human the last stick.
        {{1, 0, 0, 0, 0, 0, 13}, "The computer took 13 sticks from row 6"},
        // "sticks" for one stick too, and row 0 is the lowest row.
        {{1, 1, 0, 0}, "The computer took 1 sticks from row 0"},
        {{0, 0, 2, 0}, "The computer took 1 sticks from row 2"},
    };
    for (const Case& c : cases) {
        document.engine.SetRows(c.rows);
        view.state.humanToMove = false;
        Play();
        EXPECT_EQ(view.state.messageLine1, c.message);
        EXPECT_EQ(view.state.messageLine2, kPrompt);
        EXPECT_TRUE(view.state.humanToMove);
    }
}

TEST_F(PlayCommand, WhenTheHumanTakesTheLastStickTheHumanLosesAndTheComputerDoesNotMove) {
    document.engine.SetRows({0, 0, 0, 1});
    Select(3, 1);
    Play();
    EXPECT_TRUE(document.engine.IsEmpty());
    EXPECT_EQ(view.state.messageLine1, "You lose, you took the last stick.");
    EXPECT_EQ(view.state.messageLine2, " ");
    EXPECT_FALSE(view.state.humanToMove);
    // The board is drawn empty, then with the result.
    ASSERT_EQ(view.redraws.size(), 2u);
    EXPECT_EQ(view.redraws[0].rows, (Rows{0, 0, 0, 0}));
    EXPECT_EQ(view.redraws[1].state.messageLine1, "You lose, you took the last stick.");

    // The second command of the same release, and every later one, changes and draws nothing.
    Play();
    Play();
    EXPECT_EQ(view.redraws.size(), 2u);
    EXPECT_FALSE(view.state.humanToMove);
    EXPECT_EQ(view.state.messageLine1, "You lose, you took the last stick.");
}

TEST_F(PlayCommand, WhenTheComputerTakesTheLastStickTheHumanWins) {
    document.engine.SetRows({0, 0, 1, 0});
    view.state.humanToMove = false;
    Play();
    EXPECT_TRUE(document.engine.IsEmpty());
    EXPECT_EQ(view.state.messageLine1, "You win, the computer took the last stick.");
    EXPECT_EQ(view.state.messageLine2, " ");
    EXPECT_TRUE(view.state.humanToMove);
    // Thinking, the move, the result.
    ASSERT_EQ(view.redraws.size(), 3u);
    EXPECT_EQ(view.redraws[1].state.messageLine1, "The computer took 1 sticks from row 2");
    Play();
    EXPECT_EQ(view.redraws.size(), 3u);
    EXPECT_EQ(view.state.messageLine1, "You win, the computer took the last stick.");
}

TEST_F(PlayCommand, ASelectionThatDoesNotFitThePositionChangesNothingButTheTurnPasses) {
    for (const auto& [row, sticks] :
         std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {9, 2}, {-1, 1}, {1, 4}, {2, -3}}) {
        document.engine.SetRows({1, 3, 5, 7});
        view.state.humanToMove = true;
        Select(row, sticks);
        Play();
        EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 7}));
        EXPECT_FALSE(view.state.humanToMove);
        EXPECT_EQ(view.state.sticksTaken, 0);
        EXPECT_EQ(view.state.selectedRow, 0);
    }
}

TEST(NumberToText, GivesTheDecimalDigitsMostSignificantFirst) {
    // Negative numbers appear in no message; they still read right.
    for (int32_t n : {0, 7, 10, 13, 100, 909, INT32_MAX, -5, INT32_MIN}) {
        EXPECT_EQ(game::NumberToText(n), std::to_string(n));
    }
    for (int32_t n = 0; n < 100000; n += 37) {
        EXPECT_EQ(game::NumberToText(n), std::to_string(n));
    }
}

}  // namespace
