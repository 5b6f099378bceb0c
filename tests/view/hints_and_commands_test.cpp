// The view's answers to the frame's hints and its commands: Messages Show and Hidden, New Game
// on the same document, and the Play command's route through the view.
#include <gtest/gtest.h>

#include <QTest>

#include "game/command_ids.h"
#include "game/torvel_doc.h"
#include "support/temp_dir.h"
#include "view/torvel_view.h"

namespace {

// Counts what the board view draws and the commands routed through it.
class WatchedView : public view::CTorvelView {
  public:
    void OnDraw(QPainter& painter) override {
        ++draws;
        CTorvelView::OnDraw(painter);
    }
    bool OnCmdMsg(framework::CommandId id, int code, void* extra,
                  framework::HandlerInfo* handlerInfo) override {
        if (code == framework::kCnCommand && handlerInfo == nullptr) {
            routed.push_back({id, humanToMove});
        }
        return CTorvelView::OnCmdMsg(id, code, extra, handlerInfo);
    }
    int draws = 0;
    std::vector<std::pair<framework::CommandId, bool>> routed;
};

class ViewCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        document.AddView(&board);
        board.resize(600, 520);
        board.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
        board.draws = 0;
    }
    testsupport::TempDir workDir;
    game::CTorvelDoc document;
    WatchedView board;
};

TEST_F(ViewCommands, TheMessagesHintsSwitchTheMessageAreaAndDrawAtOnce) {
    board.OnUpdate(nullptr, game::kMessagesHiddenCommand, nullptr);
    EXPECT_FALSE(board.showMessages);
    EXPECT_EQ(board.draws, 1);
    board.OnUpdate(nullptr, game::kMessagesShowCommand, nullptr);
    EXPECT_TRUE(board.showMessages);
    EXPECT_EQ(board.draws, 2);
}

TEST_F(ViewCommands, OtherHintsAndHintsFromItselfDoNothing) {
    board.OnUpdate(&board, game::kMessagesHiddenCommand, nullptr);
    board.OnUpdate(nullptr, 0, nullptr);
    board.OnUpdate(nullptr, 12345, nullptr);
    board.OnUpdate(nullptr, -1, nullptr);
    EXPECT_TRUE(board.showMessages);
    EXPECT_EQ(board.draws, 0);
    // From the document, as the frame sends it, the hint does arrive.
    document.UpdateAllViews(nullptr, game::kMessagesHiddenCommand);
    EXPECT_FALSE(board.showMessages);
    // The framework's initial update draws nothing either.
    board.OnInitialUpdate();
    EXPECT_EQ(board.draws, 1);
}

TEST_F(ViewCommands, NewGameIsTheViewsOwnAndDrawsTheNewBoardAtOnce) {
    document.rowCountOption = 3;
    board.selectedRow = 3;
    board.sticksTaken = 2;
    board.messageLine1 = "old";
    EXPECT_TRUE(board.OnCmdMsg(framework::kFileNew, framework::kCnCommand, nullptr, nullptr));
    EXPECT_EQ(document.engine.GetRows(), (std::vector<int32_t>{1, 3, 5}));
    EXPECT_EQ(board.sticksTaken, 0);
    EXPECT_EQ(board.messageLine1, "");
    EXPECT_EQ(board.messageLine2, " ");
    EXPECT_EQ(board.draws, 1);
    EXPECT_EQ((std::vector<int32_t>(board.rowSticks.begin(), board.rowSticks.begin() + 3)),
              (std::vector<int32_t>{1, 3, 5}));
}

TEST_F(ViewCommands, WhenTheComputerOpensNewGameRoutesThePlayCommandThroughTheView) {
    document.rowCountOption = 5;
    document.humanFirst = false;
    board.routed.clear();
    board.OnCmdMsg(framework::kFileNew, framework::kCnCommand, nullptr, nullptr);
    ASSERT_EQ(board.routed.size(), 2u);
    EXPECT_EQ(board.routed[1].first, game::kPlayCommand);
    EXPECT_FALSE(board.routed[1].second);
    EXPECT_TRUE(board.humanToMove);
    EXPECT_EQ(document.engine.GetRowCount(), 5);
}

TEST_F(ViewCommands, ThePlayCommandIsNobodysHandlerAndAnswersFalse) {
    EXPECT_FALSE(board.OnCmdMsg(game::kPlayCommand, framework::kCnCommand, nullptr, nullptr));
    EXPECT_FALSE(board.OnCmdMsg(game::kPlayCommand, 7, nullptr, nullptr));
    EXPECT_FALSE(board.HasCommandHandler(game::kPlayCommand));
    // The print commands are the view's, and so are the options.
    EXPECT_TRUE(board.HasCommandHandler(framework::kFilePrint));
    EXPECT_TRUE(board.HasCommandHandler(framework::kFilePrintPreview));
    EXPECT_TRUE(board.HasCommandHandler(game::kOptionsCommand));
}

TEST_F(ViewCommands, ClicksAnywhereAtAnyTimeAreSafe) {
    for (QPoint point : {QPoint(0, 0), QPoint(210, 400), QPoint(599, 519), QPoint(-5, 9000)}) {
        QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseClick(&board, Qt::RightButton, Qt::NoModifier, point);
        QTest::mouseDClick(&board, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseMove(&board, point);
    }
    EXPECT_EQ(document.engine.GetRows(), (std::vector<int32_t>{1, 3, 5, 7}));
}

}  // namespace
