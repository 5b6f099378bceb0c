// Stick selection with the mouse. The human builds a move one stick at a time: a left click
// over a row selects one more stick of it, a right click puts one back, and only the row of the
// first selected stick counts until the selection is empty again. Pressing the left button on
// the drawn Play button and releasing it there plays the selection; in the same release the
// Play command is issued once more, for the computer's reply. A double click is two clicks.
//
// Every click redraws at once. Moves and releases draw nothing themselves. The pointer's place is
// taken in the board's own pixels, whatever its zoom.
#include <algorithm>
#include <string>

#include "engine/turn_texts.h"
#include "view/board_geometry.h"
#include "view/torvel_view.h"

namespace view {

int32_t CTorvelView::RowAt(int32_t y) const {
    return Geometry().RowAt(y);
}

void CTorvelView::SelectionMessages() {
    if (turn.sticksTaken == 0) {
        game::SetLine(turn.messageLine1, text::Tr(engine::kSelectText));
        turn.messageLine2.clear();
        return;
    }
    turn.messageLine1 = engine::SelectionText(turn.sticksTaken, turn.selectedRow);
    game::SetLine(turn.messageLine2, text::Tr(engine::kReplaceText));
}

void CTorvelView::RefreshRowSticks() {
    const game::CTorvelDoc* document = GetDocument();
    if (document == nullptr) {
        return;
    }
    const int32_t rows = std::clamp(document->engine.GetRowCount(), 0, engine::kMostRows);
    for (int32_t r = 0; r < rows; ++r) {
        board.rowSticks[static_cast<size_t>(r)] = document->engine.GetSticks(r);
    }
}

void CTorvelView::ChangeSelection(int32_t row, int32_t change) {
    const game::CTorvelDoc* document = GetDocument();
    if (document == nullptr || row < 0 || row >= document->engine.GetRowCount()) {
        return;
    }
    RefreshRowSticks();
    if (turn.sticksTaken != 0 && row != turn.selectedRow) {
        return;
    }
    turn.selectedRow = row;
    if (change > 0 && turn.sticksTaken < board.rowSticks[static_cast<size_t>(row)]) {
        ++turn.sticksTaken;
    } else if (change < 0 && turn.sticksTaken > 0) {
        --turn.sticksTaken;
    }
}

void CTorvelView::LeftPress(bool onPlay, int32_t row) {
    // A press on the Play button never selects a stick.
    if (turn.humanToMove && !onPlay) {
        ChangeSelection(row, +1);
    }
    board.playPressed = onPlay;
    if (turn.humanToMove) {
        SelectionMessages();
    }
}

void CTorvelView::RightPress(bool onPlay, int32_t row) {
    if (turn.humanToMove && !onPlay) {
        ChangeSelection(row, -1);
    }
    if (turn.humanToMove) {
        SelectionMessages();
    }
}

void CTorvelView::LeftRelease(bool onPlay) {
    if (onPlay && board.playPressed && turn.sticksTaken > 0 && turn.humanToMove) {
        IssuePlayCommand();
    }
    board.playPressed = false;
    // Right after the human's move the computer is to move: its reply comes in this release.
    // After a lost game every release comes here, and the Play command finds the game over.
    if (!turn.humanToMove) {
        IssuePlayCommand();
    }
}

void CTorvelView::OnLButtonDown(unsigned flags, QPoint point) {
    keyPlaceMarked = false;  // the mouse is used: the keyboard's place goes unmarked
    LeftPress(board.overPlay, RowAt(BoardPoint(point).y()));
    framework::View::OnLButtonDown(flags, point);
    RedrawNow();
}

void CTorvelView::OnRButtonDown(unsigned flags, QPoint point) {
    keyPlaceMarked = false;
    RightPress(board.overPlay, RowAt(BoardPoint(point).y()));
    framework::View::OnRButtonDown(flags, point);
    RedrawNow();
}

// The second press of a double click arrives here instead of as a press.
void CTorvelView::OnLButtonDblClk(unsigned flags, QPoint point) {
    OnLButtonDown(flags, point);
    framework::View::OnLButtonDblClk(flags, point);
}

void CTorvelView::OnRButtonDblClk(unsigned flags, QPoint point) {
    OnRButtonDown(flags, point);
    framework::View::OnRButtonDblClk(flags, point);
}

void CTorvelView::OnMouseMove(unsigned flags, QPoint point) {
    // Strictly inside: the outline does not count.
    const QPoint at = BoardPoint(point);
    board.overPlay = BoardGeometry::StrictlyInside(board.playButtonRect, at.x(), at.y());
    setCursor(board.overPlay ? Qt::PointingHandCursor : Qt::ArrowCursor);
    framework::View::OnMouseMove(flags, point);
}

void CTorvelView::OnLButtonUp(unsigned flags, QPoint point) {
    LeftRelease(board.overPlay);
    framework::View::OnLButtonUp(flags, point);
}

}  // namespace view
