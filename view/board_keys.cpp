// Playing by keyboard. Each key is a click the mouse could make, taken through the same steps:
// a digit 0 to 6 (main row or keypad) is a left click over that row (a row not on the board is
// taken as an empty one, though it never becomes the selected row), Backspace a right click
// over the row being taken from, Return, Enter and Space a press and release of the Play button,
// and Escape right clicks over the selected row until nothing is selected; Up and Down move a
// keyboard's place from part to part of the board. H asks for a hint. Ctrl+Plus, Ctrl+Minus and
// Ctrl+0 zoom the board. Other keys held with Ctrl, Alt or Meta are left to the menu's
// accelerators. While a modal dialog is open or a Play command runs the keys do nothing.
#include <QApplication>
#include <QKeyEvent>
#include <iterator>

#include "view/board_accessible.h"
#include "view/torvel_view.h"

namespace view {

bool CTorvelView::TakesInput() const {
    return !playing && QApplication::activeModalWidget() == nullptr;
}

void CTorvelView::ClickRow(int32_t row) {
    if (!TakesInput()) {
        return;
    }
    LeftPress(false, row);
    RedrawNow();
    LeftRelease(false);
}

void CTorvelView::RightClickRow(int32_t row) {
    if (TakesInput()) {
        RightPress(false, row);
        RedrawNow();
    }
}

void CTorvelView::ClickPlay() {
    if (!TakesInput()) {
        return;
    }
    LeftPress(true, 0);
    RedrawNow();
    LeftRelease(true);
}

bool CTorvelView::OnKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::ControlModifier) {
        // Ctrl+Plus needs Shift on many keyboards, Ctrl+= does not; the keypad's keys either.
        const int zoom = key == Qt::Key_Plus || key == Qt::Key_Equal ? +1
                         : key == Qt::Key_Minus                      ? -1
                         : key == Qt::Key_0 ? -static_cast<int>(std::size(kZoomSteps))
                                            : 0;
        if (zoom != 0 && TakesInput()) {
            ZoomBy(zoom);
        }
        return zoom != 0;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    if (key >= Qt::Key_0 && key < Qt::Key_0 + engine::kMostRows) {
        // The keyboard's place is the row, marked in the click's own drawing; a screen reader
        // hears the row where its selection changes.
        if (const int part = kFirstRowPart + key - Qt::Key_0;
            TakesInput() && OnBoard(*this, part)) {
            keyPart = part;
            keyPlaceMarked = true;
        }
        ClickRow(key - Qt::Key_0);
        return true;
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            ClickPlay();
            return true;
        case Qt::Key_H:
            ShowHint();
            return true;
        case Qt::Key_Backspace:
            RightClickRow(turn.selectedRow);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            StepKeyPlace(key == Qt::Key_Up ? -1 : +1);
            return true;
        case Qt::Key_Escape:  // right clicks over the selected row until none is left
            if (TakesInput()) {
                for (int32_t left = turn.sticksTaken; left > 0; --left) {
                    RightPress(false, turn.selectedRow);
                }
                RedrawNow();
            }
            return true;
        default:
            return false;
    }
}

void CTorvelView::StepKeyPlace(int direction) {
    MoveKeyPlace(NextBoardPart(*this, keyPart, direction));
}

void CTorvelView::MoveKeyPlace(int part) {
    if (!OnBoard(*this, part)) {
        return;
    }
    if (part != keyPart || !keyPlaceMarked) {
        keyPart = part;
        keyPlaceMarked = true;
        update();
    }
    FocusBoardPart(*this, part);
}

void CTorvelView::FollowReader(int part) {
    if (part != keyPart) {
        keyPart = part;
        if (keyPlaceMarked) {
            update();
        }
    }
}

void CTorvelView::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyDown(event->key(), event->modifiers())) {
        framework::View::keyPressEvent(event);
    }
}

}  // namespace view
