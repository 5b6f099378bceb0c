// The board as OnDraw paints it, read back pixel by pixel: the sticks with their exact shades,
// the selected sticks beside the board, the Play button on the bottom edge, the message lines,
// and the three fields a drawing refreshes.
#include <gtest/gtest.h>

#include "board_fixture.h"
#include "support/image_probe.h"

namespace {

using testsupport::InkIn;
using testsupport::IsWhite;
using testsupport::StickLeftsOnLine;
using Lefts = std::vector<int>;

class Rendering : public ::testing::Test, public testsupport::BoardFixture {};

TEST_F(Rendering, AFreshFourRowGameIsAnInvertedPyramidOfShadedSticks) {
    // Defaults before any drawing.
    EXPECT_EQ(view.messageLine1, " ");
    EXPECT_EQ(view.messageLine2, " ");
    EXPECT_TRUE(view.humanToMove && view.showMessages);
    EXPECT_FALSE(view.overPlay || view.playPressed || view.sticksTaken || view.selectedRow);
    EXPECT_EQ(view.playButtonRect, (view::Rect{600, 200, 660, 240}));
    EXPECT_EQ(view.clientRect, (view::Rect{0, 0, 0, 0}));
    const QImage board = Render();
    EXPECT_EQ(StickLeftsOnLine(board, 70), (Lefts{60, 70, 80, 90, 100, 110, 120}));
    EXPECT_EQ(StickLeftsOnLine(board, 120), (Lefts{70, 80, 90, 100, 110}));
    EXPECT_EQ(StickLeftsOnLine(board, 170), (Lefts{80, 90, 100}));
    EXPECT_EQ(StickLeftsOnLine(board, 220), (Lefts{90}));
    // Nothing beside the board while nothing is selected, only background around the sticks.
    EXPECT_EQ(InkIn(board, QRect(400, 30, 240, 250)), 0);
    EXPECT_EQ(InkIn(board, QRect(0, 240, 640, 140)), 0);
    EXPECT_TRUE(IsWhite(board, 65, 60) && IsWhite(board, 60, 49) && IsWhite(board, 60, 90));
    // Every pixel of the single stick of row 0, top-left at (90, 200).
    const int grey[] = {128, 115, 102, 89, 76};
    const int red[] = {192, 179, 166, 153, 140};
    const int yellow[] = {255, 242, 229, 216, 203};
    for (int column = 0; column < 5; ++column) {
        for (int row = 0; row < 40; ++row) {
            const QRgb expected = row <= 1   ? qRgb(grey[column], grey[column], grey[column])
                                  : row <= 8 ? qRgb(red[column], 0, 0)
                                             : qRgb(yellow[column], yellow[column], 0);
            ASSERT_EQ(board.pixel(90 + column, 200 + row), expected) << column << "," << row;
        }
    }
}

TEST_F(Rendering, TheDrawingRefreshesClientRectRowSticksAndTheButton) {
    SetRows({0, 2, 5, 6});
    Render();
    EXPECT_EQ(view.clientRect, (view::Rect{0, 0, 640, 480}));
    EXPECT_EQ((std::vector<int32_t>(view.rowSticks.begin(), view.rowSticks.begin() + 4)),
              (std::vector<int32_t>{0, 2, 5, 6}));
    EXPECT_EQ(view.playButtonRect, (view::Rect{180, 380, 240, 420}));
}

TEST_F(Rendering, SevenRowsFillTheBoardWithoutTouchingTheButton) {
    document.engine.Resize(7);
    document.engine.Reset();
    view.resize(600, 520);
    const QImage board = Render();
    EXPECT_EQ(StickLeftsOnLine(board, 70),
              (Lefts{90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 210}));
    EXPECT_EQ(StickLeftsOnLine(board, 370), (Lefts{150}));
    // The view's own size has room for the lowest row above the button.
    EXPECT_LT(350 + 40, view.playButtonRect.top);
    EXPECT_EQ(view.sizeHint(), QSize(600, 520));
}

TEST_F(Rendering, SelectedSticksLeaveGapsAndStandBesideTheirRow) {
    view.selectedRow = 3;
    view.sticksTaken = 3;
    const QImage board = Render();
    EXPECT_EQ(StickLeftsOnLine(board, 70), (Lefts{90, 100, 110, 120, 400, 410, 420}));
    EXPECT_EQ(StickLeftsOnLine(board, 120), (Lefts{70, 80, 90, 100, 110}));
    // The selected sticks have the full shading too.
    EXPECT_EQ(board.pixel(420, 50), qRgb(128, 128, 128));
    EXPECT_EQ(board.pixel(424, 55), qRgb(140, 0, 0));
}

TEST_F(Rendering, ThePlayButtonFollowsTheBottomEdge) {
    auto expectButtonAt = [](const QImage& board, int top) {
        const int bottom = top + 40;
        for (QPoint corner : {QPoint(180, top), QPoint(239, top), QPoint(180, bottom - 1),
                              QPoint(239, bottom - 1), QPoint(210, top), QPoint(180, top + 20)}) {
            EXPECT_EQ(board.pixel(corner), qRgb(0, 0, 0)) << corner.x() << "," << corner.y();
        }
        EXPECT_TRUE(IsWhite(board, 240, top + 20) && IsWhite(board, 181, top + 1) &&
                    IsWhite(board, 210, bottom));
        // "Play" is written from (194, middle - 7) on.
        EXPECT_GT(InkIn(board, QRect(194, (top + bottom) / 2 - 7, 40, 16)), 20);
        EXPECT_EQ(InkIn(board, QRect(181, top + 1, 12, 38)), 0);
    };
    expectButtonAt(Render(), 380);
    view.resize(640, 700);
    const QImage taller = Render();
    expectButtonAt(taller, 600);
    EXPECT_EQ(view.playButtonRect, (view::Rect{180, 600, 240, 640}));
    EXPECT_EQ(InkIn(taller, QRect(180, 380, 60, 40)), 0);
}

TEST_F(Rendering, MessagesInAProportionalFaceHiddenOnRequestAndAnEmptyBoard) {
    view.messageLine1 = "The computer is thinking.";
    view.messageLine2 = "Second line";
    EXPECT_GT(InkIn(Render(), QRect(0, 0, 300, 14)), 30);
    EXPECT_GT(InkIn(Render(), QRect(0, 15, 300, 14)), 30);
    auto inkWidth = [this](const char* text) {
        view.messageLine1 = text;
        const QImage board = Render();
        int right = -1;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < board.width(); ++x) {
                right = IsWhite(board, x, y) ? right : std::max(right, x);
            }
        }
        return right + 1;
    };
    const int narrow = inkWidth("iiiiiiii");
    ASSERT_GT(narrow, 0);
    EXPECT_GT(inkWidth("WWWWWWWW"), 2 * narrow);
    view.showMessages = false;
    EXPECT_EQ(InkIn(Render(), QRect(0, 0, 640, 45)), 0);
    EXPECT_EQ(view.messageLine1, "WWWWWWWW");
    // An empty board shows only the button.
    SetRows({0, 0, 0, 0});
    const QImage board = Render();
    const QRect button(180, 380, 60, 40);
    EXPECT_GT(InkIn(board, button), 0);
    EXPECT_EQ(InkIn(board, board.rect()) - InkIn(board, button), 0);
}

TEST_F(Rendering, OnAHighDensitySurfaceTheBoardKeepsItsLogicalGeometry) {
    const QImage board = Render(2.0);
    ASSERT_EQ(board.width(), 1280);
    // The stick at logical (60, 50) covers device pixels 120..129 by 100..179.
    EXPECT_EQ(board.pixel(120, 100), qRgb(128, 128, 128));
    EXPECT_EQ(board.pixel(121, 103), qRgb(128, 128, 128));
    EXPECT_EQ(board.pixel(129, 179), qRgb(203, 203, 0));
    EXPECT_TRUE(IsWhite(board, 130, 100));
    EXPECT_EQ(view.playButtonRect, (view::Rect{180, 380, 240, 420}));
    EXPECT_EQ(board.pixel(360, 760), qRgb(0, 0, 0));
}

TEST_F(Rendering, ATinyOrEmptyClientAreaIsDrawnWithoutTrouble) {
    view.resize(0, 0);
    QImage surface(1, 1, QImage::Format_RGB32);
    QPainter painter(&surface);
    view.OnDraw(painter);
    painter.end();
    EXPECT_EQ(view.clientRect, (view::Rect{0, 0, 0, 0}));
    EXPECT_EQ(view.playButtonRect, (view::Rect{180, -100, 240, -60}));
    view.resize(30, 20);
    EXPECT_TRUE(IsWhite(Render(), 29, 19));
}

}  // namespace
