// The one board geometry of drawing and hit testing, and the shading of a stick.
#include <gtest/gtest.h>

#include <climits>

#include "view/board_geometry.h"
#include "view/stick_shading.h"

namespace {

using view::BoardGeometry;

TEST(BoardGeometry, FourRowsStackUpwardCentredOnNinety) {
    const BoardGeometry board(4);
    EXPECT_EQ(board.StickWidth(), 5);
    EXPECT_EQ(board.RowTop(3), 50);
    EXPECT_EQ(board.RowTop(2), 100);
    EXPECT_EQ(board.RowTop(1), 150);
    EXPECT_EQ(board.RowTop(0), 200);
    EXPECT_EQ(board.StickLeft(0, 7), 60);
    EXPECT_EQ(board.StickLeft(6, 7), 120);
    EXPECT_EQ(board.StickLeft(0, 1), 90);
    // A row keeps its centre by its current count: two sticks left stand at 80 and 90.
    EXPECT_EQ(board.StickLeft(0, 2), 80);
    EXPECT_EQ(board.SelectedStickLeft(0), 400);
    EXPECT_EQ(board.SelectedStickLeft(2), 420);
}

TEST(BoardGeometry, SevenRowsPutTheLongestRowAtTheTopAndRowZeroAt350) {
    const BoardGeometry board(7);
    EXPECT_EQ(board.RowTop(6), 50);
    EXPECT_EQ(board.StickLeft(0, 13), 90);
    EXPECT_EQ(board.StickLeft(12, 13), 210);
    EXPECT_EQ(board.RowTop(0), 350);
    EXPECT_EQ(board.StickLeft(0, 1), 150);
}

TEST(BoardGeometry, ThePlayButtonHangsAHundredPixelsAboveTheBottom) {
    EXPECT_EQ(BoardGeometry(4).PlayButton(480), (view::Rect{180, 380, 240, 420}));
    EXPECT_EQ(BoardGeometry(7).PlayButton(600), (view::Rect{180, 500, 240, 540}));
    const view::Rect button{180, 380, 240, 420};
    EXPECT_TRUE(BoardGeometry::StrictlyInside(button, 181, 381));
    EXPECT_TRUE(BoardGeometry::StrictlyInside(button, 239, 419));
    EXPECT_FALSE(BoardGeometry::StrictlyInside(button, 180, 400));
    EXPECT_FALSE(BoardGeometry::StrictlyInside(button, 200, 420));
}

TEST(BoardGeometry, RowAtCutsTowardZeroAndClampsToTheBoard) {
    const BoardGeometry board(4);
    EXPECT_EQ(board.RowAt(-1000), 3);
    EXPECT_EQ(board.RowAt(60), 3);
    EXPECT_EQ(board.RowAt(100), 3);
    EXPECT_EQ(board.RowAt(101), 2);
    EXPECT_EQ(board.RowAt(150), 2);
    EXPECT_EQ(board.RowAt(151), 1);
    EXPECT_EQ(board.RowAt(200), 1);
    EXPECT_EQ(board.RowAt(201), 0);
    EXPECT_EQ(board.RowAt(5000), 0);
    EXPECT_EQ(board.RowAt(INT_MIN), 3);
    EXPECT_EQ(board.RowAt(INT_MAX), 0);
    EXPECT_EQ(BoardGeometry(7).RowAt(351), 0);
    EXPECT_EQ(BoardGeometry(7).RowAt(350), 1);
    EXPECT_EQ(BoardGeometry(0).RowAt(10), 0);
}

TEST(StickShading, BandsAndColumnsOfAFortyPixelStick) {
    const int grey[] = {128, 115, 102, 89, 76};
    const int red[] = {192, 179, 166, 153, 140};
    const int yellow[] = {255, 242, 229, 216, 203};
    for (int column = 0; column < 5; ++column) {
        const auto g = static_cast<uint8_t>(grey[column]);
        const auto r = static_cast<uint8_t>(red[column]);
        const auto y = static_cast<uint8_t>(yellow[column]);
        for (int row : {0, 1}) {
            EXPECT_EQ(view::StickPixel(column, row, 40), (view::Rgb{g, g, g}))
                << column << "," << row;
        }
        for (int row : {2, 5, 8}) {
            EXPECT_EQ(view::StickPixel(column, row, 40), (view::Rgb{r, 0, 0}))
                << column << "," << row;
        }
        for (int row : {9, 20, 39}) {
            EXPECT_EQ(view::StickPixel(column, row, 40), (view::Rgb{y, y, 0}))
                << column << "," << row;
        }
    }
}

}  // namespace
