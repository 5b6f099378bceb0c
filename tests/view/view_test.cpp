// The board as a person sees and uses it: the pixels OnDraw puts on a surface, mouse events and
// keys on the real window that select sticks, press the drawn Play button and play whole games,
// and the tree a screen reader reads.
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QStatusBar>
#include <QWheelEvent>

#include "engine/advice.h"
#include "engine/lesson_texts.h"
#include "engine/turn_texts.h"
#include "support/program.h"
#include "support/reference_model.h"
#include "support/run_program.h"
#include "text/columns.h"
#include "view/board_geometry.h"

// Qt's own accessibility tests switch the platform's accessibility on through these private
// classes, as a screen reader would; offscreen no screen reader comes.
struct QPlatformAccessibility {
    void setActive(bool active);
};
struct QPlatformIntegration {
    QPlatformAccessibility* accessibility() const;
};
struct QGuiApplicationPrivate {
    static QPlatformIntegration* platform_integration;
};

namespace {

const char kFirstPrompt[] = "Left click on a row to remove one or more sticks.";
const char kThinking[] = "The computer is thinking.";

class Board : public testsupport::Program {
  protected:
    // Left edges of the sticks whose body crosses line y: a stick's first column is pure yellow.
    static std::vector<int> SticksOn(const QImage& image, int y) {
        std::vector<int> lefts;
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFF00) {
                lefts.push_back(x);
            }
        }
        return lefts;
    }
    static int Ink(const QImage& image, QRect rect) {
        int ink = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                ink += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            }
        }
        return ink;
    }
    // Keys sent once the computer thinks, as if they had arrived in the search.
    bool eventFilter(QObject* object, QEvent* event) override {
        Program::eventFilter(object, event);
        if (event->type() == QEvent::Paint && view->turn.messageLine1 == kThinking && typeAhead) {
            typeAhead = false;
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_3, Qt::Key_Escape}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(view, &press);
            }
        }
        return false;
    }
    bool typeAhead = false;
    // What a person's double click sends: press, release, double click, release.
    void DoubleClick(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        Click(point, button);
        QTest::mouseDClick(view, button, Qt::NoModifier, point);
        QTest::mouseRelease(view, button, Qt::NoModifier, point);
    }
};

TEST_F(Board, TheDrawingShowsRowsSelectionButtonAndMessages) {
    view->turn.messageLine1 = "The computer is thinking.";
    QImage image = Render();
    const std::vector<std::vector<int>> fresh = {
        {90}, {80, 90, 100}, {70, 80, 90, 100, 110}, {60, 70, 80, 90, 100, 110, 120}};
    for (int32_t row = 0; row < 4; ++row) {
        EXPECT_EQ(SticksOn(image, 50 * (4 - row) + 20), fresh[size_t(row)]) << "row " << row;
    }
    // Each stick: a grey tip (lines 0-1), a red head (2-8), a yellow body, darker to the right.
    for (int column = 0; column < 5; ++column) {
        const int shade = (64 * column + 4) / 5;  // the base cut toward zero after 64 i / 5 off
        const int x = 60 + column, grey = 128 - shade;
        EXPECT_EQ(image.pixel(x, 51), qRgb(grey, grey, grey)) << column;
        EXPECT_EQ(image.pixel(x, 52), qRgb(192 - shade, 0, 0));
        EXPECT_EQ(image.pixel(x, 58), qRgb(192 - shade, 0, 0));
        EXPECT_EQ(image.pixel(x, 59), qRgb(255 - shade, 255 - shade, 0));
        EXPECT_EQ(image.pixel(x, 89), qRgb(255 - shade, 255 - shade, 0));
        EXPECT_EQ(image.pixel(x, 50), image.pixel(x, 51));
        EXPECT_EQ(image.pixel(x, 90), qRgb(255, 255, 255));
    }
    EXPECT_EQ(image.pixel(65, 70), qRgb(255, 255, 255));
    // The button's one-pixel outline, 100 pixels above the bottom; "Play" inside it.
    const QRect button(180, view->height() - 100, 60, 40);
    for (QPoint corner : {button.topLeft(), button.bottomRight(), QPoint(210, button.bottom())}) {
        EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0));
    }
    EXPECT_EQ(Ink(image, QRect(181, button.top() + 1, 10, 38)), 0);
    EXPECT_GT(Ink(image, button.adjusted(1, 1, -1, -1)), 20);
    // The message lines, on white in a proportional face, hidden on request.
    EXPECT_GT(Ink(image, QRect(0, 0, 200, 14)), 50);
    EXPECT_LT(Ink(image, QRect(0, 0, 200, 14)), 1400);
    const QFontMetrics metrics(view->font());
    EXPECT_LT(metrics.horizontalAdvance("iiiiiiii") * 2, metrics.horizontalAdvance("WWWWWWWW"));
    Run(game::kMessagesHiddenCommand);
    EXPECT_EQ(Ink(Render(), QRect(0, 0, 400, 30)), 0);
    view->OnUpdate(view, game::kMessagesShowCommand, nullptr);  // from the view itself: ignored
    view->OnUpdate(nullptr, 1, nullptr);
    EXPECT_FALSE(view->turn.showMessages);
    Run(game::kMessagesShowCommand);

    // At any density a stick's columns and the outline's sides are all round(ratio) pixels wide.
    for (qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5}) {
        const QImage dense = Render(ratio);
        auto runs = [&dense](QPoint at, QPoint step) {  // lengths of one-colour runs, not white
            QSet<int> lengths;
            for (QPoint start = at; dense.valid(at); at += step) {
                if (dense.pixel(at) != dense.pixel(start)) {
                    lengths << (dense.pixel(start) == ~0u ? 0 : (at - start).manhattanLength());
                    start = at;
                }
            }
            return lengths - QSet<int>{0};
        };
        const QSet<int> unit{std::max(1, qRound(ratio))};
        EXPECT_EQ(runs(QPoint(1, int(70 * ratio)), QPoint(1, 0)), unit) << ratio;
        EXPECT_EQ(runs(QPoint(1, int((button.top() + 5) * ratio)), QPoint(1, 0)), unit) << ratio;
        EXPECT_EQ(runs(QPoint(int(185 * ratio), int(40 * ratio)), QPoint(0, 1)), unit) << ratio;
    }

    // Three sticks of the top row selected: gaps at its left end, the three beside the board.
    view->turn.selectedRow = 3;
    view->turn.sticksTaken = 3;
    frame->resize(frame->width(), frame->height() - 60);
    QTest::qWait(1);
    image = Render();
    EXPECT_EQ(SticksOn(image, 70), (std::vector<int>{90, 100, 110, 120, 400, 410, 420}));
    EXPECT_EQ(view->board.playButtonRect.top, view->height() - 100) << "follows the bottom";
    EXPECT_EQ(image.pixel(180, view->height() - 100), qRgb(0, 0, 0));
    const QImage dense = Render(2.0);  // twice the density: the same logical places
    EXPECT_EQ(dense.pixel(180, 140), qRgb(255, 255, 0));
    EXPECT_EQ(dense.pixel(800, 140), qRgb(255, 255, 0));
    document->engine.SetRows({0, 0, 0, 0});
    view->turn.sticksTaken = 0;
    EXPECT_EQ(SticksOn(Render(), 70), std::vector<int>{});
    for (const int32_t rows : {4, 7}) {  // however small the window, the rows stay above the button
        frame->resize(205, 80);
        document->rowCountOption = rows;
        Run(framework::kFileNew);
        QTest::qWait(1);
        EXPECT_EQ(view->size(), QSize(20 * rows + 400, 50 * rows + 150)) << "button 10 below row 0";
    }
    // A game from any start: 13 sticks in three rows stand as seven rows' top row, clear of the
    // lesson's area, are picked by key and mouse, played and saved back; New Game as before.
    testsupport::WriteFile("any.tor",
                           "Torvel saved game, version 2\noptions rows 4 first human\n"
                           "start 13 0 0\nend\n");
    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(dir.File("any.tor"))));
    QTest::keyClick(view, Qt::Key_0);
    Click(OverRow(0));
    image = Render();
    EXPECT_EQ(SticksOn(image, 170),
              (std::vector<int>{110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 210, 400, 410}));
    const view::Rect free = view->Geometry().LessonArea(view->height(), 15);
    EXPECT_EQ(Ink(image, QRect(free.left, free.top, free.Width(), free.Height())), 0);
    EXPECT_EQ(view->minimumSizeHint(), QSize(540, 300));
    Take(0, 10);
    Run(framework::kFileSave);
    EXPECT_TRUE(testsupport::ReadFile("any.tor").ends_with("0 0\nhuman 0 12\ncomputer 0 1\nend\n"));
    Run(framework::kFileNew);
    EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7}));
}

TEST_F(Board, ClicksBuildTheMoveInOneRowAndThePlayButtonPlaysIt) {
    for (int i = 0; i < 3; ++i) {
        Click(OverRow(3));
    }
    EXPECT_EQ(view->turn.messageLine1 + view->turn.messageLine2,
              std::string("To take 3 sticks from row 3, click the 'Play' button.") +
                  engine::kReplaceText);
    Click(OverRow(0));                       // another row: nothing
    Click(QPoint(5, 101), Qt::RightButton);  // nor here: the height alone says row 2
    EXPECT_EQ(view->turn.sticksTaken, 3);
    DoubleClick(QPoint(590, 100), Qt::RightButton);  // 100 or less: the top row, whatever the x
    Click(QPoint(1, 0), Qt::RightButton);            // (0, 0) would be the centre to QTest
    EXPECT_EQ(view->turn.sticksTaken, 0);
    EXPECT_EQ(view->turn.messageLine1 + view->turn.messageLine2, kFirstPrompt);
    DoubleClick(QPoint(5, view->height() - 1));  // below the board: row 0
    EXPECT_EQ(view->turn.sticksTaken * 10 + view->turn.selectedRow, 10) << "row 0 holds one stick";
    Click(OverRow(0), Qt::RightButton);
    DoubleClick(OverRow(1));  // a double click counts twice
    EXPECT_EQ(view->turn.sticksTaken, 2);
    DoubleClick(OverRow(1));
    EXPECT_EQ(view->turn.sticksTaken * 10 + view->turn.selectedRow, 31);

    // A press on the button and a release there plays; moving off and back first is fine.
    QTest::mouseMove(view, OnPlay());
    EXPECT_EQ(view->cursor().shape(), Qt::PointingHandCursor) << "over the button";
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, OnPlay());
    EXPECT_EQ(view->turn.sticksTaken, 3) << "a press on the button selects nothing";
    QTest::mouseMove(view, QPoint(100, 300));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 300));
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 300));
    QTest::mouseMove(view, OnPlay());
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, OnPlay());
    EXPECT_EQ(document->engine.GetSticks(1), 3) << "no press on the button, no play";
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, OnPlay());
    QTest::mouseMove(view, QPoint(100, 300));
    QTest::mouseMove(view, OnPlay() + QPoint(28, 18));  // strictly inside
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, OnPlay());
    EXPECT_EQ(document->engine.GetSticks(1), 0);
    EXPECT_TRUE(view->turn.humanToMove) << "the reply came in the same release";
    EXPECT_TRUE(view->turn.messageLine1.starts_with("The computer took "));
    Click(QPoint(180, view->height() - 100));  // the outline is not the button
    EXPECT_EQ(view->turn.sticksTaken, 1);
    Click(OnPlay(), Qt::RightButton);
    EXPECT_EQ(view->turn.sticksTaken, 1) << "nor is a right click on it a click on a row";
    Click(OverRow(0), Qt::RightButton);
    view->turn.humanToMove = false;  // while the computer is to move clicks select nothing
    const Rows before = document->engine.GetRows();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, OverRow(3));
    EXPECT_EQ(view->turn.sticksTaken, 0);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, OverRow(3));
    EXPECT_TRUE(view->turn.humanToMove) << "and the release lets it move";
    EXPECT_NE(document->engine.GetRows(), before);
}

TEST_F(Board, WholeGamesWonAndLostWithTheMouse) {
    for (const bool humanFirst : {false, true}) {
        document->humanFirst = humanFirst;  // 1, 3, 5, 7 is lost for the player to move
        Run(framework::kFileNew);
        for (int turn = 0; turn < 20 && !document->engine.IsEmpty(); ++turn) {
            ASSERT_TRUE(view->turn.humanToMove);
            const engine::Move best = document->engine.ChooseMove();
            Take(best.row, best.number);
        }
        EXPECT_TRUE(document->engine.IsEmpty());
        EXPECT_EQ(view->turn.messageLine1, humanFirst
                                               ? "You lose, you took the last stick."
                                               : "You win, the computer took the last stick.");
        EXPECT_EQ(view->turn.humanToMove, !humanFirst);
        Take(2, 1);
        EXPECT_EQ(view->turn.messageLine1,
                  humanFirst ? "You lose, you took the last stick." : kFirstPrompt);
        EXPECT_EQ(view->turn.sticksTaken, 0);
    }
}

// Ctrl with Plus, =, the keypad's + and Minus, Ctrl+0 and Ctrl with whole turns of the wheel step
// the board's size, and say so; a window of the program's own size comes back to it, and the
// board to its every pixel. At 250 % the board scrolls in a maximised window, clicks land where
// the sticks are drawn, screen readers are told those places, and the page printed is the 100 %
// board. A key's place is marked until the mouse is used; the next run starts at the last step.
TEST_F(Board, ZoomDrawsClicksAndTellsAtEveryStepAndIsKept) {
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    const QImage plain = Render();
    const QSize own = frame->size();
    QImage printed(view->size(), QImage::Format_RGB32);
    const auto print = [&] {
        printed.fill(Qt::black);
        QPainter page(&printed);
        view->OnPrint(page, app->GetPrinter());
        return printed.copy(0, 45, 480, 200);  // the four rows
    };
    const QImage onPaper = print();
    const auto zoomKey = [this](Qt::Key key, Qt::KeyboardModifiers more = {}) {
        QTest::keyClick(frame->windowHandle(), key, Qt::ControlModifier | more);
        return view->ZoomPercent();
    };
    EXPECT_EQ(zoomKey(Qt::Key_Plus, Qt::ShiftModifier), 125);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Zoom 125 %. Ctrl+0 for 100 %.");
    EXPECT_EQ(zoomKey(Qt::Key_0), 100);
    EXPECT_TRUE(frame->size() == own && Render() == plain) << "the original's pixels again";
    frame->showMaximized();
    const auto wheel = [this](int delta, Qt::KeyboardModifiers keys) {
        QWheelEvent turn(QPointF(10, 10), view->mapToGlobal(QPointF(10, 10)), {}, {0, delta},
                         Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &turn);
    };
    EXPECT_EQ(zoomKey(Qt::Key_Equal), 125);
    EXPECT_EQ(zoomKey(Qt::Key_Plus, Qt::KeypadModifier), 150);
    wheel(60, Qt::ControlModifier);  // half a notch, then the other half
    EXPECT_EQ(view->ZoomPercent(), 150);
    wheel(60, Qt::ControlModifier);
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(view->ZoomPercent(), 250);
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(view);
    EXPECT_EQ(board->child(0)->text(QAccessible::Name), "Zoom 250 %. Ctrl+0 for 100 %.");
    EXPECT_GT(view->ContentSize().height(), view->VisibleSize().height()) << "it scrolls";
    wheel(-120 * 10, {});  // scrolled to the bottom: the Play button shows
    EXPECT_GT(view->ScrollPosition().y(), 0);
    const QImage zoomed = Render();
    for (int32_t row : {3, 0}) {  // each row's place, where its sticks are drawn and clicked
        const QRect told = board->child(4 - row)->rect().translated(-view->mapToGlobal(QPoint()));
        const int y = told.center().y();
        std::vector<int> sticks = SticksOn(zoomed, y);  // a stick's first column is wider now
        std::erase_if(sticks, [&](int x) {
            return x > 0 && (zoomed.pixel(x - 1, y) & 0xFFFFFF) == 0xFFFF00;
        });
        ASSERT_EQ(sticks.size(), size_t(2 * row + 1)) << row;
        EXPECT_TRUE(told.left() == sticks.front() && told.height() == 100) << row;
        Click(QPoint(told.center().x(), y));
        EXPECT_EQ(view->turn.selectedRow * 10 + view->turn.sticksTaken, row * 10 + 1) << row;
        Click(QPoint(told.center().x(), y), Qt::RightButton);
    }
    EXPECT_TRUE(print() == onPaper && !view->KeyPlaceMarked());
    QTest::keyClick(frame->windowHandle(), Qt::Key_Down);  // the message area (the zoom)
    QTest::keyClick(frame->windowHandle(), Qt::Key_Down);  // the top row: marked
    const QImage marked = Render();
    const QRect place = view->ClientRect(view->PartRect(view->KeyPlace()));
    EXPECT_EQ(view->KeyPlace(), view::kFirstRowPart + 3);
    EXPECT_TRUE(marked.copy(place) == zoomed.copy(place) && marked != zoomed);
    EXPECT_TRUE(print() == onPaper) << "never on paper";
    Click(QPoint(5, 5), Qt::RightButton);
    EXPECT_TRUE(!view->KeyPlaceMarked() && Render().copy(place.adjusted(-20, -20, 20, 20)) ==
                                               zoomed.copy(place.adjusted(-20, -20, 20, 20)));
    zoomKey(Qt::Key_Minus);
    zoomKey(Qt::Key_Minus, Qt::KeypadModifier);
    zoomKey(Qt::Key_Minus);
    app = std::make_unique<shell::CTorvelApp>();  // the next run
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(static_cast<view::CTorvelView*>(app->GetMainWnd()->GetActiveView())->ZoomPercent(),
              125);
}

// Keys reach the board when its window is active, and play through the rules of the clicks.
TEST_F(Board, KeysPlayAsClicksDoWhileTheAcceleratorsStay) {
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame) && view->hasFocus());
    const std::string took = "The computer took ", prompt = kFirstPrompt;
    const auto taking = engine::SelectionText;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int32_t takenAndRow;  // sticks taken times 10 plus the row
        std::string line1;    // how it starts
        size_t drawings;
    } steps[] = {
        {Qt::Key_3, {}, 13, taking(1, 3), 1},
        {Qt::Key_3, Qt::KeypadModifier, 23, taking(2, 3), 1},
        {Qt::Key_0, {}, 23, taking(2, 3), 1},  // another row: nothing but the redraw
        {Qt::Key_6, {}, 23, taking(2, 3), 1},  // no row 6 on four rows
        {Qt::Key_Backspace, Qt::AltModifier, 23, taking(2, 3), 0},  // Undo's accelerator
        {Qt::Key_Backspace, {}, 13, taking(1, 3), 1},
        {Qt::Key_3, Qt::ShiftModifier, 23, taking(2, 3), 1},
        {Qt::Key_Escape, {}, 3, prompt, 1},
        {Qt::Key_Space, {}, 3, prompt, 1},  // nothing selected: no play
        {Qt::Key_0, {}, 10, taking(1, 0), 1},
        // The press, the human's move, the thinking, the one reply: keys in the search do nothing.
        {Qt::Key_Return, {}, 0, took, 4},
        {Qt::Key_2, {}, 12, taking(1, 2), 1},
        {Qt::Key_Enter, Qt::KeypadModifier, 0, took, 4},
    };
    for (const auto& step : steps) {
        drawings.clear();
        typeAhead = true;
        QTest::keyClick(frame->windowHandle(), step.key, step.modifiers);
        const std::string what = QKeySequence(step.key | step.modifiers).toString().toStdString();
        EXPECT_EQ(view->turn.sticksTaken * 10 + view->turn.selectedRow, step.takenAndRow) << what;
        EXPECT_TRUE(view->turn.messageLine1.starts_with(step.line1)) << view->turn.messageLine1;
        ASSERT_EQ(drawings.size(), step.drawings) << what;
    }
    QTest::keyClick(frame->windowHandle(), Qt::Key_N, Qt::ControlModifier);  // New Game's key
    EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7}));
    QDialog dialog(frame);  // while a dialog is open, keys by the window or to the board do nothing
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    drawings.clear();
    for (Qt::Key key : {Qt::Key_3, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_H}) {
        QTest::keyClick(frame->windowHandle(), key);
        QTest::keyClick(view, key);
    }
    EXPECT_TRUE(drawings.empty() && view->turn.sticksTaken == 0);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString()) << "no hint either";
    dialog.hide();
}

// H through a whole five-row game played by keys: the status bar and the board's message area name
// the plain model's best move with how the game then ends, and the board and its messages stay; H
// again draws why in the free area beside the rows (nothing else changes) and says it alone, a
// third H the hint again. They stay while sticks are picked up and go once the position changes, or
// with a new game. The lesson of seven rows, and a text a third longer, fit the first window.
TEST_F(Board, KeyHHintsThePlainModelsBestMoveThroughAWholeGame) {
    const QFontMetrics metrics(view->font());
    const auto freeArea = [&](size_t rows) {
        const view::Rect area =
            view::BoardGeometry(int32_t(rows)).LessonArea(view->height(), metrics.height());
        return QRect(area.left, area.top, area.Width(), area.Height());
    };
    const std::string seven =
        engine::LessonText(engine::Teach(Rows{1, 3, 5, 7, 9, 11, 13}, {{6, 11}, 39}));
    const QString longer = QString::fromStdString(seven + seven.substr(0, seven.size() / 3));
    EXPECT_LE(metrics.boundingRect(freeArea(7), Qt::TextWordWrap, longer).height(),
              freeArea(7).height());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame) && view->hasFocus());
    document->rowCountOption = 5;  // won for the human at first, then given away
    QTest::keyClick(frame->windowHandle(), Qt::Key_N, Qt::ControlModifier);
    reference::Table model;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(frame->statusBar());
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(view);
    const auto said = [&] { return board->child(0)->text(QAccessible::Name).toStdString(); };
    std::string script;              // the same game typed at play's prompt, asking as H
    std::vector<std::string> heard;  // what play must print for each hint and why
    std::vector<std::vector<std::string>> explained;  // explain's command and first line
    while (!document->engine.IsEmpty()) {
        const Rows rows = document->engine.GetRows();
        const std::string lines = view->turn.messageLine1 + view->turn.messageLine2;
        const QImage plain = Render();
        drawings.clear();
        QTest::keyClick(frame->windowHandle(), Qt::Key_H);
        const auto [row, take] = reference::ChooseMove(model, rows);
        const int32_t score = reference::Best(reference::MoveScores(model, rows, false));
        const std::string hint = engine::HintText({{row, take}, score});
        EXPECT_EQ(bar->text(QAccessible::Name).toStdString() + '|' + said(), hint + '|' + hint);
        EXPECT_TRUE(drawings.empty() && view->turn.messageLine1 + view->turn.messageLine2 == lines);
        QTest::keyClick(frame->windowHandle(), Qt::Key_H);
        EXPECT_EQ(said(), engine::LessonText(engine::Teach(rows, {{row, take}, score})));
        heard.push_back("Your move: hint\n" +
                        text::Wrapped(bar->text(QAccessible::Name).toStdString(), 80) +
                        "\nYour move: why\n" + text::Wrapped(said(), 80) + '\n');
        explained.push_back({"explain", "--no-base"});
        for (const int32_t sticks : rows) {
            explained.back().push_back(std::to_string(sticks));
        }
        explained.back().push_back(bar->text(QAccessible::Name).toStdString());
        QImage why = Render();
        EXPECT_TRUE(Ink(plain, freeArea(rows.size())) == 0 && Ink(why, freeArea(rows.size())) > 0);
        QPainter(&why).fillRect(freeArea(rows.size()), Qt::white);
        EXPECT_TRUE(why == plain && bar->text(QAccessible::Name).toStdString() == hint);
        QTest::keyClick(frame->windowHandle(), Qt::Key_H);
        EXPECT_TRUE(said() == hint && Render() == plain);
        QTest::keyClick(frame->windowHandle(), Qt::Key_H);
        const auto lowest = std::find_if(rows.begin(), rows.end(), [](int32_t s) { return s > 0; });
        script += "hint\nwhy\n" + std::to_string(lowest - rows.begin()) + " 1\n";
        QTest::keyClick(frame->windowHandle(), Qt::Key(Qt::Key_0 + (lowest - rows.begin())));
        EXPECT_EQ(bar->text(QAccessible::Name).toStdString().substr(0, 4), "You ") << "kept";
        EXPECT_FALSE(view->CurrentLesson().isEmpty()) << "kept";
        QTest::keyClick(frame->windowHandle(), Qt::Key_Return);
        EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty() &&
                    view->CurrentLesson().isEmpty())
            << "gone with its position";
    }
    // play and explain, on the same positions, give what the window gave.
    const std::string played =
        testsupport::RunProgram(TORVEL_CLI, {"play", "--rows", "5", "--no-base"}, script).out;
    for (size_t i = 0, at = 0; i < heard.size(); ++i) {
        at = played.find(heard[i], at);
        EXPECT_NE(at, std::string::npos) << heard[i];
        const std::string hint = explained[i].back();
        explained[i].pop_back();
        EXPECT_TRUE(testsupport::RunProgram(TORVEL_CLI, explained[i]).out.starts_with(hint + '\n'));
    }
    QTest::keyClick(frame->windowHandle(), Qt::Key_H);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "The game is over: there is no move to make.");
    for (Qt::Key key : {Qt::Key_N, Qt::Key_H, Qt::Key_H, Qt::Key_N}) {
        QTest::keyClick(frame->windowHandle(), key,
                        key == Qt::Key_N ? Qt::ControlModifier : Qt::NoModifier);
    }
    EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty() && view->CurrentAdvice().isEmpty())
        << "gone with a new game on the same rows";
}

// What a screen reader finds and hears: the message area, the rows, the Play button. The focus
// moves to what changed (readers speak a part when the focus comes to it; a part told again hands
// its place to a twin). `told` is what the focus came to, named as it went out.
std::string told;
std::vector<std::pair<QAccessible::Event, QAccessibleInterface*>> events;

TEST_F(Board, ScreenReadersHearAWholeGamePlayedByKeys) {
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        events.emplace_back(event->type(), event->accessibleInterface());
        told += event->type() != QAccessible::Focus
                    ? ""
                    : events.back().second->text(QAccessible::Name).toStdString() + "|";
    });
    QGuiApplicationPrivate::platform_integration->accessibility()->setActive(true);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame) && view->hasFocus());
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(view);
    std::string tree;  // each part its own child: list items (34) and a button (43)
    for (int i = 0; i < board->childCount(); ++i) {
        QAccessibleInterface* part = board->child(i);
        tree += std::to_string(board->indexOfChild(part) == i && part->parent() == board) +
                std::to_string(part->role());
    }
    EXPECT_EQ(tree, "134134134134134143");
    EXPECT_EQ(board->child(1)->rect(), QRect(view->mapToGlobal(QPoint(60, 50)), QSize(70, 40)));
    const auto heard = [this](auto... keys) {
        told.clear();
        (QTest::keyClick(frame->windowHandle(), keys), ...);
        return told;
    };
    EXPECT_EQ(
        heard(Qt::Key_3, Qt::Key_3, Qt::Key_Backspace),
        "Row 3: 7 sticks, 1 selected|Row 3: 7 sticks, 2 selected|Row 3: 7 sticks, 1 selected|");
    EXPECT_EQ(events[2], std::make_pair(QAccessible::SelectionAdd, events[3].second));
    QAccessibleInterface* twin = events[events.size() - 2].second;  // told second, handed back
    EXPECT_TRUE(board->indexOfChild(twin) < 0 && twin->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(board->focusChild() == board->child(1) && board->child(1)->state().focused);
    EXPECT_EQ(heard(Qt::Key_H, Qt::Key_H, Qt::Key_H),  // H, why, H: each alone
              "You cannot win: take 1 stick from row 0 to hold out (loses in 15 moves).|In powers "
              "of two the rows hold 1, 2+1, 4+1 and 4+2+1. Each power comes an even number of "
              "times, so the rows pair off: whatever you take, the computer pairs them again. "
              "Taking 1 stick from row 0 holds out longest.|You cannot win: take 1 stick from row "
              "0 to hold out (loses in 15 moves).|");
    EXPECT_EQ(heard(Qt::Key_Return),
              "Row 3: 6 sticks|The computer is thinking.|The computer took 1 "
              "sticks from row 0. To take your turn, left click over a row "
              "and click 'Play.'|");
    EXPECT_EQ(heard(Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                    Qt::Key_Down, Qt::Key_Down),
              "Row 3: 6 sticks|Row 2: 5 sticks|Row 1: 3 sticks|Row 0: 0 sticks|Play|");
    told.clear();  // the actions: one more stick, one back, play
    QAccessibleActionInterface* top = board->child(1)->actionInterface();
    for (const QString& action : {top->pressAction(), top->pressAction(), top->decreaseAction()}) {
        top->doAction(action);
    }
    Run(game::kMessagesHiddenCommand);  // then what changed on the board is heard
    EXPECT_TRUE(board->child(0)->state().invisible && board->text(QAccessible::Description) == "");
    QAccessibleActionInterface* play = board->child(board->childCount() - 1)->actionInterface();
    EXPECT_EQ(play->keyBindingsForAction(play->pressAction()), QStringList{"Return"});
    play->doAction(play->pressAction());
    EXPECT_EQ(told,
              "Row 3: 6 sticks, 1 selected|Row 3: 6 sticks, 2 selected|Row 3: 6 sticks, 1 "
              "selected|Row 3: 5 sticks|Row 1: 0 sticks|");
    Run(game::kMessagesShowCommand);
    document->engine.SetRows({0, 0, 0, 1});
    EXPECT_EQ(
        heard(Qt::Key_2, Qt::Key_3, Qt::Key_Return),  // an empty row: the prompt
        std::string(kFirstPrompt) +
            "|Row 3: 1 stick, 1 selected|Row 3: 0 sticks|You lose, you took the last stick.|");
    document->rowCountOption = 7;  // a new game the computer opens: the row it took from
    document->humanFirst = false;
    events.clear();
    // Its search is taken as long from the start: the reader is answered, a command not run.
    view->readerPatienceMs = 0;
    std::string meanwhile;
    const auto ask = [&] { meanwhile = told + std::to_string(Run(game::kMessagesHiddenCommand)); };
    QMetaObject::invokeMethod(frame, ask, Qt::QueuedConnection);
    Run(framework::kFileNew);
    EXPECT_TRUE((meanwhile + std::to_string(view->turn.showMessages))
                    .ends_with("|The computer is thinking.|11"));
    EXPECT_EQ(told.substr(told.rfind('|', told.size() - 2)),
              "|The computer opened by taking 11 sticks from row 6.|");
    EXPECT_EQ(events.front(), std::make_pair(QAccessible::ObjectReorder, board));
    QAccessible::installUpdateHandler(nullptr);
    QGuiApplicationPrivate::platform_integration->accessibility()->setActive(false);
}

}  // namespace
