// CTorvelView: the board. It draws the rows of sticks, the sticks the human has selected, the
// Play button it draws itself and the two message lines (torvel_view_draw.cpp), and it turns
// mouse clicks and keys into the human's move (torvel_view_input.cpp, board_keys.cpp). Screen
// readers see its rows, Play button and message lines (board_accessible.cpp).
//
// The board can be drawn larger, 100 to 400 % (board_zoom.cpp): it keeps its geometry in the
// board's own pixels, the original's, and the drawing, the clicks and what screen readers are told
// of places are scaled from them. A key that moves the keyboard's place among the board's parts
// marks that part with a focus frame until the mouse is used.
//
// It holds the turn's state, which the game control writes through the BoardView interface,
// and what only the view keeps between drawings and clicks. Commands reach it before the document:
// New Game (the standard new command, once start-up is over) and the Play command are the view's.
// The frame's Messages Show and Hidden arrive as update hints. Options and the two Time dialogs are
// the view's too.
#pragma once

#include <QSize>
#include <QString>
#include <vector>

#include "framework/view.h"
#include "game/board_view.h"
#include "game/options_dialog.h"
#include "game/torvel_doc.h"
#include "game/turn_state.h"
#include "view/board_geometry.h"
#include "view/board_view_state.h"

class QPainter;

namespace view {

class CTorvelView : public framework::View, public game::BoardView {
  public:
    CTorvelView();

    game::CTorvelDoc* GetDocument() const;

    // Runs the Play command (666) and then hands every command on to the standard routing;
    // other commands that come while the Play command runs are dropped.
    bool OnCmdMsg(framework::CommandId id, int code, void* extra,
                  framework::HandlerInfo* handlerInfo) override;
    // The hints of Messages Show and Hidden (kMessagesShowCommand, kMessagesHiddenCommand) show
    // and hide the message area; every other hint, and any hint this view sent itself, changes
    // nothing and draws nothing.
    void OnUpdate(framework::View* sender, long hint, QObject* hintObject) override;

    // Room for a seven-row board, the selected sticks beside it and the Play button below it, at
    // 100 %; larger steps ask for room for the board at that size.
    QSize sizeHint() const override { return SizeAt(zoomPercent); }
    // Room for the rows of the game at 100 %, so that the Play button never covers a stick; a
    // larger board scrolls.
    QSize minimumSizeHint() const override;

    // The zoom, one of kZoomSteps. ZoomBy goes `steps` steps up or down, as far as the window's
    // room goes when it has a size of its own, and says the step reached; ZoomTo takes the step
    // `percent` (100 when it is none) and says nothing.
    void ZoomBy(int steps);
    void ZoomTo(int percent);
    // The step of the last run, or the largest below it that the screen has room for.
    void ZoomAsLastTime();
    int ZoomPercent() const { return zoomPercent; }
    // A point of the window in the board's own pixels, and a rectangle of the board's in the
    // window's.
    QPoint BoardPoint(QPoint client) const;
    QRect ClientRect(const QRect& onBoard) const;
    // Where a part of the board is, in the board's own pixels.
    QRect PartRect(int part) const;
    // Moves the keyboard's place one part up (-1) or down (+1) the board, or to a part, and marks
    // it; screen readers are told.
    void StepKeyPlace(int direction);
    void MoveKeyPlace(int part);
    // The keyboard's place (kBoardParts: none yet), and whether it is marked.
    int KeyPlace() const { return keyPart; }
    bool KeyPlaceMarked() const { return keyPlaceMarked; }
    // Where screen readers' focus has gone: the keyboard's place follows it.
    void FollowReader(int part);

    void OnDraw(QPainter& painter) override;
    // A stick `length` pixels long with its top-left pixel at (x, y), pixel by pixel.
    void DrawStick(QPainter& surface, int32_t x, int32_t y, int32_t length);
    // The board's own button: a black outline, white inside, the text in black.
    void DrawPlayButton(QPainter& surface, const Rect& rect, const QString& text);

    // A left click over a row selects one more stick of it, a right click puts one back, and
    // a left press and release on the Play button plays the selection and the reply.
    void OnLButtonDown(unsigned flags, QPoint point) override;
    void OnLButtonUp(unsigned flags, QPoint point) override;
    void OnLButtonDblClk(unsigned flags, QPoint point) override;
    void OnRButtonDown(unsigned flags, QPoint point) override;
    void OnRButtonDblClk(unsigned flags, QPoint point) override;
    void OnMouseMove(unsigned flags, QPoint point) override;
    // With Ctrl, one zoom step for each whole notch, however the turn arrives; else it scrolls.
    void OnMouseWheel(unsigned flags, int delta, bool horizontal) override;
    // At 100 %, with no focus mark, whatever the zoom.
    void OnPrint(QPainter& painter, QPrinter& printer) override;

    // The keys play as the mouse does: a digit is a left click over that row, Backspace a right
    // click over the row being taken from, Return, Enter and Space a click on the Play button,
    // Escape puts every selected stick back. Unless TakesInput, they do nothing. Up and Down take
    // a screen reader from part to part of the board.
    bool OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // No modal dialog is open and no Play command is running (the computer thinking).
    bool TakesInput() const;
    // Key H: what a perfect player would do here, in the status bar and to screen readers; H again
    // on the same position draws why beside the rows, and says it; a third H the hint again, and so
    // on (board_hint.cpp).
    void ShowHint();
    // What the board tells besides its message lines while the position it was for stands: the
    // hint, its lesson, or the computer's opening move; empty once the position has changed.
    QString CurrentAdvice() const;
    // The lesson while it is drawn; empty otherwise.
    QString CurrentLesson() const;
    // A left and a right click over the row (rows not on the board take none), and a press and
    // release of the Play button, as the mouse makes them; each draws at once.
    void ClickRow(int32_t row);
    void RightClickRow(int32_t row);
    void ClickPlay();

    // game::BoardView
    game::TurnState& State() override { return turn; }
    // Draws at once, then tells screen readers what changed.
    void RedrawNow() override;
    void OnInitialUpdate() override;
    bool IssuePlayCommand() override;
    // In the status bar and to screen readers, until the position changes.
    void Tell(const std::string& text) override;

    // Where the board's parts are for the game on it: its rows, as long as they started.
    BoardGeometry Geometry() const;
    // The row a pointer at height y is over, within the rows of the position.
    int32_t RowAt(int32_t y) const;
    // The prompt while nothing is selected, else what the Play button will do.
    void SelectionMessages();

    // The messages, the pending selection and whose turn it is.
    game::TurnState turn;
    // The rows as drawn, the Play button's place and press state, the client area.
    BoardViewState board;

    // How long a search runs before a screen reader's questions are answered during it.
    qint64 readerPatienceMs = 150;

    // Shown by the Options command; kept from one opening to the next.
    game::COptionsDlg optionsDialog;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The board looks the same with and without focus: no repaint when it comes or goes.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}

  private:
    // The board's drawing at a zoom step, and the view's room for it.
    QSize DrawnAt(int percent) const;
    QSize SizeAt(int percent) const;
    // Takes the zoom step (and the frame's size, where it is the program's own); `told` says it.
    void SetZoom(int percent, const std::string& told);
    // The drawing's size for the rows of the game at the zoom, for the view's scroll bars.
    void UpdateContentSize();
    // Gives a frame of its own size room for the board at the zoom, as far as the screen goes.
    void FitFrame();
    void OnNewGame();
    void OnOptions();
    void OnCurvatureOfTime();
    void OnSpaceTime();
    void RefreshRowSticks();
    // One more (+1) or one fewer (-1) stick selected in the row, if the selection may change
    // there; rows not on the board change nothing.
    void ChangeSelection(int32_t row, int32_t change);
    // The steps of a left press, a right press and a left release with the pointer on the Play
    // button or over the row, before the default handling and the redraw.
    void LeftPress(bool onPlay, int32_t row);
    void RightPress(bool onPlay, int32_t row);
    void LeftRelease(bool onPlay);
    // Takes the hint out of the status bar once the position it was for has changed, or at once.
    enum class Staleness { OnceMoved, Now };
    void ForgetStaleHint(Staleness when = Staleness::OnceMoved);
    bool AdviceStands() const;

    // A Play command is running: the computer may be thinking.
    bool playing = false;
    // The board is being printed: at 100 %, with no focus mark.
    bool printing = false;
    int zoomPercent = 100;
    int wheelTurn = 0;  // what the wheel turned toward the next zoom step
    int keyPart = kBoardParts;
    bool keyPlaceMarked = false;
    // The hint (or opening move) last told, its lesson (empty when there is none), whether the
    // lesson is drawn, and the rows they were for; no rows once they are gone.
    QString hintShown;
    QString lessonText;
    bool lessonShown = false;
    std::vector<int32_t> hintRows;
};

}  // namespace view
