// The monkey: Torvel's real window (the application, frame, document and view that start-up
// makes) driven by many thousands of random events from one fixed seed, as a careless user
// would drive it: mouse presses, releases, double clicks and moves anywhere (over the rows, on
// the Play button, beside the board, outside the window), New Game from its key, its menu item
// and its toolbar button, Options with random clicks, Messages Show and Hidden, resizes down to
// the smallest window the frame allows, the toolbar, the accelerators, and every other command
// whose dialog the replaced modal runner answers at random.
//
// After every event it checks what must always hold:
//   - every row holds between 0 and 2i + 1 sticks, and the rows change only by New Game or by
//     one move of the human (the pending selection) and one reply of the computer;
//   - the selection lies within its row and only one row is ever selected from;
//   - the game is in one of its four states (human to move, human lost, human won, and the
//     computer to move only while a command runs), with the messages that state can show;
//   - the board, drawn by OnDraw into an image, has every stick where the geometry puts it with
//     its exact shades, white where the selected sticks left their row and everywhere else,
//     the Play button's outline where the last drawing says it is, and no text while the
//     messages are hidden;
//   - every mouse event did exactly what a plain model of the click rules says it does.
// Every redraw in between (the Play command draws several times per move) is checked too. A
// watchdog ends the program if one event runs for minutes; the time of the slowest event is
// reported with the number of events.
//
// TORVEL_MONKEY_EVENTS and TORVEL_MONKEY_SEED change the run for a longer soak by hand; the
// registered test always runs the fixed seed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCursor>
#include <QFileDialog>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <vector>

#include "framework/dialog.h"
#include "framework/modal_runner.h"
#include "game/command_ids.h"
#include "game/options_dialog.h"
#include "shell/app_fixture.h"
#include "view/board_geometry.h"

namespace {

using Rows = std::vector<int32_t>;
using Clock = std::chrono::steady_clock;

constexpr uint64_t kSeed = 0x7043'6B65'7931ULL;

// Under AddressSanitizer an event costs some fifteen times as much (its allocator maps and
// faults in fresh pages for the off-screen image of every drawing), so the sanitized build runs
// the first 6000 events of the same sequence. Either count plays well over a hundred games.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kEvents = 6000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kEvents = 6000;
#else
constexpr int kEvents = 30000;
#endif
#else
constexpr int kEvents = 30000;
#endif
// The run of the fixed seed reaches everything below within its first 6000 events.
constexpr int kCoveringEvents = 6000;

const std::string kPrompt = "Left click on a row to remove one or more sticks.";
const std::string kReplace = "To replace sticks, right click over the row they were taken from.";
const std::string kThinking = "The computer is thinking.";
const std::string kYourTurn = "To take your turn, left click over a row and click 'Play.'";
const std::string kWin = "You win, the computer took the last stick.";
const std::string kLose = "You lose, you took the last stick.";

// Text built by appending only: GCC 12 at -O3 warns falsely (-Wrestrict) about the inserts
// that `"text" + std::string` makes.
template <typename Part>
void Append(std::string& text, const Part& part) {
    if constexpr (std::is_arithmetic_v<Part>) {
        text += std::to_string(part);
    } else {
        text += std::string_view(part);
    }
}

template <typename... Parts>
std::string Cat(const Parts&... parts) {
    std::string text;
    (Append(text, parts), ...);
    return text;
}

std::string TakeMessage(int32_t sticks, int32_t row) {
    return Cat("To take ", sticks, " sticks from row ", row, ", click the 'Play' button.");
}

std::string ComputerMessage(int32_t sticks, int32_t row) {
    return Cat("The computer took ", sticks, " sticks from row ", row);
}

std::string Text(const Rows& rows) {
    std::string text(1, '{');
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        text += std::to_string(rows[i]);
    }
    text += '}';
    return text;
}

std::string Text(QPoint point) {
    return Cat("(", point.x(), ",", point.y(), ")");
}

bool IsEmpty(const Rows& rows) {
    return std::all_of(rows.begin(), rows.end(), [](int32_t sticks) { return sticks == 0; });
}

Rows FullBoard(int32_t rowCount) {
    Rows rows;
    for (int32_t i = 0; i < rowCount; ++i) {
        rows.push_back(2 * i + 1);
    }
    return rows;
}

int EventCount() {
    const char* text = std::getenv("TORVEL_MONKEY_EVENTS");
    return text != nullptr && *text != '\0' ? std::atoi(text) : kEvents;
}

uint64_t Seed() {
    const char* text = std::getenv("TORVEL_MONKEY_SEED");
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : kSeed;
}

// Draws from a Mersenne twister, whose sequence the language fixes, reduced by plain modulo so
// that the run is the same with every standard library.
class Random {
  public:
    explicit Random(uint64_t seed) : engine(seed) {}
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(engine() % static_cast<uint64_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Percent(int percent) { return Below(100) < percent; }
    // An index into `weights`, each drawn in proportion to its weight.
    size_t Weighted(const std::vector<int>& weights) {
        int total = 0;
        for (int weight : weights) {
            total += weight;
        }
        int pick = Below(total);
        for (size_t i = 0; i < weights.size(); ++i) {
            if (pick < weights[i]) {
                return i;
            }
            pick -= weights[i];
        }
        return weights.size() - 1;
    }

  private:
    std::mt19937_64 engine;
};

// A winning move of misère Nim when there is one, else one stick from the longest row: the
// monkey plays it now and then, so that it also wins games against the search.
struct Aim {
    int32_t row = 0;
    int32_t number = 0;
};

Aim WinningMove(const Rows& rows) {
    int32_t longer = 0;
    int32_t singles = 0;
    int32_t longest = 0;
    int32_t anyRow = 0;
    int32_t sum = 0;
    for (int32_t r = 0; r < static_cast<int32_t>(rows.size()); ++r) {
        longer += rows[r] > 1 ? 1 : 0;
        singles += rows[r] == 1 ? 1 : 0;
        if (rows[r] > rows[longest]) {
            longest = r;
        }
        if (rows[r] > 0) {
            anyRow = r;
        }
        sum ^= rows[r];
    }
    if (longer == 0) {
        return {anyRow, 1};
    }
    if (longer == 1) {
        // Leave an odd number of single sticks for the other side.
        return {longest, singles % 2 == 0 ? rows[longest] - 1 : rows[longest]};
    }
    for (int32_t r = 0; r < static_cast<int32_t>(rows.size()); ++r) {
        if ((rows[r] ^ sum) < rows[r]) {
            return {r, rows[r] - (rows[r] ^ sum)};
        }
    }
    return {longest, 1};
}

// The row a pointer at height y is over: every height above the board is the top row's and
// every height below it row 0's.
int32_t RowUnder(int32_t rowCount, int32_t y) {
    const double exact = rowCount - (y - 50) * 0.02;
    if (exact < 0) {
        return 0;
    }
    if (exact >= rowCount) {
        return rowCount - 1;
    }
    return static_cast<int32_t>(exact);
}

bool StrictlyInside(const view::Rect& rect, QPoint point) {
    return rect.left < point.x() && point.x() < rect.right && rect.top < point.y() &&
           point.y() < rect.bottom;
}

// One mouse input as it was sent, kept for the model.
enum class Input {
    Move,
    LeftPress,
    LeftRelease,
    LeftDouble,
    RightPress,
    RightRelease,
    RightDouble,
    MiddlePress,
    MiddleRelease
};

struct SentInput {
    Input kind;
    QPoint point;
    // A move the view was expected to receive (presses and releases always go to the view).
    bool reachesView;
};

// The game as the click rules and the Play command move it, started from the real state
// before an event and run over the event's inputs. The computer's reply is the only thing the
// rules leave to the search; it is read from the position after the event and must be one
// legal move.
struct Model {
    Rows rows;
    int32_t selectedRow = 0;
    int32_t sticksTaken = 0;
    bool humanToMove = true;
    bool playPressed = false;
    bool overPlay = false;
    std::string line1;
    std::string line2;
    view::Rect button;
    int humanMoves = 0;
    int computerMoves = 0;
    bool won = false;
    bool lost = false;
    std::string error;

    void SelectionMessages() {
        if (sticksTaken == 0) {
            line1 = kPrompt;
            line2.clear();
        } else {
            line1 = TakeMessage(sticksTaken, selectedRow);
            line2 = kReplace;
        }
    }

    void Click(QPoint point, int32_t change) {
        if (humanToMove && !overPlay) {
            const int32_t row = RowUnder(static_cast<int32_t>(rows.size()), point.y());
            if (sticksTaken == 0 || row == selectedRow) {
                selectedRow = row;
                if (change > 0 && sticksTaken < rows[static_cast<size_t>(row)]) {
                    ++sticksTaken;
                } else if (change < 0 && sticksTaken > 0) {
                    --sticksTaken;
                }
            }
        }
        if (change > 0) {
            playPressed = overPlay;
        }
        if (humanToMove) {
            SelectionMessages();
        }
    }

    void Play(const Rows& finalRows) {
        if (IsEmpty(rows)) {
            return;
        }
        if (humanToMove) {
            int32_t& row = rows[static_cast<size_t>(selectedRow)];
            if (sticksTaken >= 1 && sticksTaken <= row) {
                row -= sticksTaken;
            } else {
                error += Cat("the human's move ", sticksTaken, " from row ", selectedRow,
                             " does not fit ", Text(rows), "; ");
            }
            sticksTaken = 0;
            selectedRow = 0;
            humanToMove = false;
            ++humanMoves;
        } else {
            int32_t replyRow = -1;
            int32_t replyNumber = 0;
            bool oneMove = finalRows.size() == rows.size();
            for (size_t r = 0; oneMove && r < rows.size(); ++r) {
                if (finalRows[r] != rows[r]) {
                    oneMove = replyRow < 0 && finalRows[r] < rows[r];
                    replyRow = static_cast<int32_t>(r);
                    replyNumber = rows[r] - finalRows[r];
                }
            }
            if (!oneMove || replyRow < 0) {
                error += Cat("the computer's reply from ", Text(rows), " to ", Text(finalRows),
                             " is not one move; ");
                return;
            }
            rows = finalRows;
            line1 = ComputerMessage(replyNumber, replyRow);
            line2 = kYourTurn;
            humanToMove = true;
            sticksTaken = 0;
            selectedRow = 0;
            ++computerMoves;
        }
        if (IsEmpty(rows)) {
            line1 = humanToMove ? kWin : kLose;
            line2 = " ";
            (humanToMove ? won : lost) = true;
        }
    }

    void Run(const std::vector<SentInput>& inputs, const Rows& finalRows) {
        for (const SentInput& input : inputs) {
            switch (input.kind) {
                case Input::Move:
                    if (input.reachesView) {
                        overPlay = StrictlyInside(button, input.point);
                    }
                    break;
                case Input::LeftPress:
                case Input::LeftDouble:
                    Click(input.point, +1);
                    break;
                case Input::RightPress:
                case Input::RightDouble:
                    Click(input.point, -1);
                    break;
                case Input::LeftRelease:
                    if (overPlay && playPressed && sticksTaken > 0 && humanToMove) {
                        Play(finalRows);
                    }
                    playPressed = false;
                    if (!humanToMove) {
                        Play(finalRows);
                    }
                    break;
                case Input::RightRelease:
                case Input::MiddlePress:
                case Input::MiddleRelease:
                    break;
            }
        }
    }
};

// The colours of a stick's five columns, in its tip, head and body.
QRgb StickColour(int column, int row) {
    static const int grey[] = {128, 115, 102, 89, 76};
    static const int red[] = {192, 179, 166, 153, 140};
    static const int yellow[] = {255, 242, 229, 216, 203};
    if (row <= 1) {
        return qRgb(grey[column], grey[column], grey[column]);
    }
    if (row <= 8) {
        return qRgb(red[column], 0, 0);
    }
    return qRgb(yellow[column], yellow[column], 0);
}

// What the board must look like, pixel by pixel; 0 marks a pixel whose colour depends on the
// font (the button's text and the message lines). Kept from one event to the next, so that the
// sanitized build does not map and fault in a fresh megabyte for every probe.
class ExpectedBoard {
  public:
    static constexpr QRgb kAnyColour = 0;

    // A white board of the given size.
    void Reset(int boardWidth, int boardHeight) {
        width = boardWidth;
        height = boardHeight;
        pixels.assign(static_cast<size_t>(boardWidth) * static_cast<size_t>(boardHeight),
                      qRgb(255, 255, 255));
        anyColour.assign(static_cast<size_t>(boardHeight), false);
    }

    void Stick(int left, int top) {
        for (int column = 0; column < 5; ++column) {
            for (int row = 0; row < 40; ++row) {
                Set(left + column, top + row, StickColour(column, row));
            }
        }
    }
    void Fill(const QRect& rect, QRgb colour) {
        const QRect clipped = rect.intersected(QRect(0, 0, width, height));
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            for (int x = clipped.left(); x <= clipped.right(); ++x) {
                pixels[Index(x, y)] = colour;
            }
            if (colour == kAnyColour) {
                anyColour[static_cast<size_t>(y)] = true;
            }
        }
    }
    void Set(int x, int y, QRgb colour) {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            pixels[Index(x, y)] = colour;
        }
    }
    const QRgb* Line(int y) const { return pixels.data() + Index(0, y); }
    // The line can be compared as a whole.
    bool Exact(int y) const { return !anyColour[static_cast<size_t>(y)]; }

  private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
    int width = 0;
    int height = 0;
    std::vector<QRgb> pixels;
    std::vector<bool> anyColour;
};

// The states a finished event may leave the game in, with the messages each can show.
std::string CheckGame(const Rows& rows, const view::BoardViewState& state) {
    std::string error;
    const bool empty = IsEmpty(rows);
    const int32_t rowCount = static_cast<int32_t>(rows.size());
    if (rowCount < 3 || rowCount > 7) {
        error += Cat("the position has ", rowCount, " rows; ");
    }
    for (int32_t r = 0; r < rowCount; ++r) {
        if (rows[static_cast<size_t>(r)] < 0 || rows[static_cast<size_t>(r)] > 2 * r + 1) {
            error += Cat("row ", r, " holds ", rows[static_cast<size_t>(r)], " sticks; ");
        }
    }
    if (state.sticksTaken < 0 ||
        (state.sticksTaken > 0 &&
         (state.selectedRow < 0 || state.selectedRow >= rowCount ||
          state.sticksTaken > rows[static_cast<size_t>(state.selectedRow)]))) {
        error += Cat("the selection of ", state.sticksTaken, " from row ", state.selectedRow,
                     " does not fit ", Text(rows), "; ");
    }
    if (!empty && !state.humanToMove) {
        error += "the computer is left to move; ";
    }
    if (empty && state.sticksTaken != 0) {
        error += "sticks are selected on an empty board; ";
    }
    const std::string& line1 = state.messageLine1;
    const std::string& line2 = state.messageLine2;
    auto require = [&error](bool holds, const std::string& what) {
        if (!holds) {
            error += Cat(what, "; ");
        }
    };
    if (line1 == kWin) {
        require(empty && state.humanToMove && line2 == " ", Cat("\"", line1, "\" out of place"));
    } else if (line1 == kLose) {
        require(empty && !state.humanToMove && line2 == " ", Cat("\"", line1, "\" out of place"));
    } else if (line1 == kPrompt) {
        require(state.humanToMove && state.sticksTaken == 0 && line2.empty(),
                "the prompt out of place");
    } else if (line1.rfind("To take ", 0) == 0) {
        require(state.humanToMove && state.sticksTaken > 0 &&
                    line1 == TakeMessage(state.sticksTaken, state.selectedRow) && line2 == kReplace,
                Cat("\"", line1, "\" does not tell the selection"));
    } else if (line1.rfind("The computer took ", 0) == 0) {
        int32_t number = -1;
        int32_t row = -1;
        const int parsed =
            std::sscanf(line1.c_str(), "The computer took %d sticks from row %d", &number, &row);
        require(parsed == 2 && line1 == ComputerMessage(number, row) && number >= 1 && row >= 0 &&
                    row < rowCount && !empty && state.humanToMove && line2 == kYourTurn,
                Cat("\"", line1, "\" out of place"));
    } else if (line1.empty()) {
        require(!empty && state.humanToMove && line2 == " ",
                "a new game's blank lines out of place");
    } else if (line1 == " ") {
        require(line2.empty() || line2 == " " || line2 == kReplace || line2 == kYourTurn,
                Cat("second line \"", line2, "\""));
    } else {
        error += Cat("first line \"", line1, "\" in a finished event; ");
    }
    if (state.sticksTaken > 0) {
        require(line1 == " " || line1 == TakeMessage(state.sticksTaken, state.selectedRow),
                "the first line does not tell the selection");
    }
    return error;
}

// Stops the program if one event runs for minutes: a hang, which no check can see.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds patience)
        : limit(patience), thread([this] { Watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        wake.notify_all();
        thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void Began(const std::string& what) {
        std::lock_guard<std::mutex> lock(mutex);
        current = what;
        ++beat;
        wake.notify_all();
    }

  private:
    void Watch() {
        std::unique_lock<std::mutex> lock(mutex);
        while (!done) {
            const uint64_t seen = beat;
            if (!wake.wait_for(lock, limit, [&] { return done || beat != seen; })) {
                std::fprintf(stderr, "monkey: no event finished within %lld s; hung in: %s\n",
                             static_cast<long long>(limit.count()), current.c_str());
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    std::chrono::seconds limit;
    std::mutex mutex;
    std::condition_variable wake;
    std::string current;
    uint64_t beat = 0;
    bool done = false;
    std::thread thread;
};

// Tooltips come from a wall-clock timer; the monkey keeps them away so that a run depends on
// its seed alone.
class NoToolTips : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

class WindowMonkey : public testsupport::AppFixture {
  protected:
    enum class Kind {
        MoveOverBoard,
        MoveOverPlay,
        MoveAnywhere,
        LeftPress,
        LeftRelease,
        LeftClick,
        LeftDoubleClick,
        RightPress,
        RightRelease,
        RightClick,
        RightDoubleClick,
        MiddleClick,
        ClickPlay,
        Aimed,
        NewGame,
        Options,
        Messages,
        Resize,
        OtherCommand,
    };

    struct Before {
        Rows rows;
        view::BoardViewState state;
        int32_t rowCountOption;
        bool humanFirst;
    };

    // Every redraw, also those inside a command, sees rows and a selection that fit.
    class PaintWatch : public QObject {
      public:
        explicit PaintWatch(WindowMonkey& monkey) : owner(monkey) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                owner.OnPaint();
            } else if (event->type() == QEvent::MouseMove) {
                ++owner.movesReceived;
            }
            return false;
        }

      private:
        WindowMonkey& owner;
    };

    void OnPaint() {
        ++paints;
        const Rows rows = Document()->engine.GetRows();
        const view::CTorvelView& board = *View();
        for (size_t r = 0; r < rows.size(); ++r) {
            if (rows[r] < 0 || rows[r] > 2 * static_cast<int32_t>(r) + 1) {
                paintErrors += Cat("a redraw shows ", Text(rows), "; ");
            }
        }
        if (board.sticksTaken < 0 ||
            (board.sticksTaken > 0 &&
             (board.selectedRow < 0 || board.selectedRow >= static_cast<int32_t>(rows.size()) ||
              board.sticksTaken > rows[static_cast<size_t>(board.selectedRow)]))) {
            paintErrors += Cat("a redraw shows the selection ", board.sticksTaken, " from row ",
                               board.selectedRow, "; ");
        }
        if (!board.humanToMove && !IsEmpty(rows)) {
            ++computerToMovePaints;
            if (board.messageLine1 == kThinking) {
                ++thinkingPaints;
            }
        }
    }

    void SetUp() override {
        Start();
        ASSERT_NE(View(), nullptr);
        qApp->installEventFilter(&noToolTips);
        View()->installEventFilter(&paintWatch);
        // Printing goes to a file in the test's folder, never to a printer.
        app->GetPrinter().setOutputFormat(QPrinter::PdfFormat);
        app->GetPrinter().setOutputFileName(QString::fromStdString(workDir.File("monkey.pdf")));
        // Accelerators act on the active window.
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        chosenRows = View()->optionsDialog.chosenRows;
        chosenOrder = View()->optionsDialog.chosenOrder;
        SendMove(QPoint(590, 5));
        Settle();
    }

    void TearDown() override {
        View()->removeEventFilter(&paintWatch);
        qApp->removeEventFilter(&noToolTips);
        AppFixture::TearDown();
    }

    void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    Before Take() const {
        return Before{Document()->engine.GetRows(), *View(), Document()->rowCountOption,
                      Document()->humanFirst};
    }

    // --- Sending input -------------------------------------------------------------------

    // A point that QTest takes as given (it moves a null point to the widget's centre).
    static QPoint Usable(QPoint point) { return point.isNull() ? QPoint(1, 0) : point; }

    bool ButtonHeld() const { return leftHeld || rightHeld || middleHeld; }

    void SendMove(QPoint point) {
        point = Usable(point);
        view::CTorvelView* board = View();
        bool reaches = true;
        if (!ButtonHeld()) {
            // With no button held the pointer really moves, and the widget under it (if any)
            // gets the move; moving to where it already is sends nothing.
            reaches = Shown().contains(point) && board->mapToGlobal(point) != QCursor::pos();
        }
        const int received = movesReceived;
        QTest::mouseMove(board, point);
        if ((movesReceived != received) != reaches) {
            const QPoint global = board->mapToGlobal(point);
            harnessErrors += Cat(
                "the move to ", Text(point), reaches ? " did not reach" : " reached",
                " the view (global ", Text(global), ", cursor ", Text(QCursor::pos()), ", frame ",
                Text(frame->pos()), " ", frame->width(), "x", frame->height(), ", widget there ",
                QApplication::widgetAt(global) != nullptr
                    ? QApplication::widgetAt(global)->metaObject()->className()
                    : "none",
                "); ");
        }
        inputs.push_back({Input::Move, point, reaches});
        pointer = point;
        ++qtInputs;
    }

    // The part of the view the window shows: all of it, a strip when the window is very low,
    // or nothing when the frame is at its smallest and lays the view aside.
    QRect Shown() const { return View()->visibleRegion().boundingRect(); }

    bool ViewHasArea() const { return !Shown().isEmpty(); }

    // Presses land on the view where the pointer is, or anywhere on its shown part when the
    // pointer is elsewhere (as after a move that went to another widget).
    QPoint PressPoint() {
        const QRect shown = Shown();
        if (shown.contains(pointer) && !random.Percent(8)) {
            return pointer;
        }
        return Usable(QPoint(random.Between(shown.left(), shown.right()),
                             random.Between(shown.top(), shown.bottom())));
    }

    void Send(Input kind, QPoint point) {
        point = Usable(point);
        view::CTorvelView* board = View();
        switch (kind) {
            case Input::LeftPress:
                QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, point);
                leftHeld = true;
                break;
            case Input::LeftRelease:
                QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, point);
                leftHeld = false;
                break;
            case Input::LeftDouble:
                QTest::mouseDClick(board, Qt::LeftButton, Qt::NoModifier, point);
                leftHeld = true;
                break;
            case Input::RightPress:
                QTest::mousePress(board, Qt::RightButton, Qt::NoModifier, point);
                rightHeld = true;
                break;
            case Input::RightRelease:
                QTest::mouseRelease(board, Qt::RightButton, Qt::NoModifier, point);
                rightHeld = false;
                break;
            case Input::RightDouble:
                QTest::mouseDClick(board, Qt::RightButton, Qt::NoModifier, point);
                rightHeld = true;
                break;
            case Input::MiddlePress:
                QTest::mousePress(board, Qt::MiddleButton, Qt::NoModifier, point);
                middleHeld = true;
                break;
            case Input::MiddleRelease:
                QTest::mouseRelease(board, Qt::MiddleButton, Qt::NoModifier, point);
                middleHeld = false;
                break;
            case Input::Move:
                SendMove(point);
                return;
        }
        inputs.push_back({kind, point, true});
        ++qtInputs;
    }

    // A press and a release; a double click as a person's: press, release, double click,
    // release.
    void Click(Qt::MouseButton button, bool twice) {
        if (!ViewHasArea()) {
            return;
        }
        const QPoint point = PressPoint();
        const bool left = button == Qt::LeftButton;
        Send(left ? Input::LeftPress : Input::RightPress, point);
        Send(left ? Input::LeftRelease : Input::RightRelease, point);
        if (twice) {
            Send(left ? Input::LeftDouble : Input::RightDouble, point);
            Send(left ? Input::LeftRelease : Input::RightRelease, point);
        }
    }

    int32_t RowCount() const { return Document()->engine.GetRowCount(); }

    // A point over the sticks of `row` (or beside them), anywhere along the row.
    QPoint OverRow(int32_t row) {
        const view::BoardGeometry geometry(RowCount());
        return QPoint(random.Between(0, 460), geometry.RowTop(row) + random.Between(1, 49));
    }

    QPoint OnPlay() {
        const view::Rect& button = View()->playButtonRect;
        return QPoint(random.Between(button.left + 1, button.right - 1),
                      random.Between(button.top + 1, button.bottom - 1));
    }

    void MoveAndClickPlay() {
        const QPoint target = OnPlay();
        SendMove(target);
        if (!ViewHasArea()) {
            return;
        }
        const QPoint press = Shown().contains(target) ? target : PressPoint();
        Send(Input::LeftPress, press);
        Send(Input::LeftRelease, press);
        ++playClicks;
    }

    // --- The events ------------------------------------------------------------------------

    std::string Describe(Kind kind) const {
        static const std::map<Kind, const char*> names = {
            {Kind::MoveOverBoard, "move over the board"},
            {Kind::MoveOverPlay, "move about the Play button"},
            {Kind::MoveAnywhere, "move anywhere"},
            {Kind::LeftPress, "left press"},
            {Kind::LeftRelease, "left release"},
            {Kind::LeftClick, "left click"},
            {Kind::LeftDoubleClick, "left double click"},
            {Kind::RightPress, "right press"},
            {Kind::RightRelease, "right release"},
            {Kind::RightClick, "right click"},
            {Kind::RightDoubleClick, "right double click"},
            {Kind::MiddleClick, "middle click"},
            {Kind::ClickPlay, "click Play"},
            {Kind::Aimed, "aimed click"},
            {Kind::NewGame, "New Game"},
            {Kind::Options, "Options"},
            {Kind::Messages, "Messages"},
            {Kind::Resize, "resize"},
            {Kind::OtherCommand, "command"},
        };
        return names.at(kind);
    }

    // Most events are careless; in a purposeful game the monkey mostly works toward the winning
    // move, so that it also wins now and then.
    Kind Choose() {
        static const std::vector<std::pair<Kind, int>> weights = {
            {Kind::MoveOverBoard, 130},  {Kind::MoveOverPlay, 80},     {Kind::MoveAnywhere, 60},
            {Kind::LeftPress, 60},       {Kind::LeftRelease, 60},      {Kind::LeftClick, 150},
            {Kind::LeftDoubleClick, 40}, {Kind::RightPress, 20},       {Kind::RightRelease, 15},
            {Kind::RightClick, 60},      {Kind::RightDoubleClick, 20}, {Kind::MiddleClick, 10},
            {Kind::ClickPlay, 70},       {Kind::Aimed, 110},           {Kind::NewGame, 14},
            {Kind::Options, 12},         {Kind::Messages, 14},         {Kind::Resize, 16},
            {Kind::OtherCommand, 9},
        };
        std::vector<int> odds;
        for (const auto& entry : weights) {
            odds.push_back(entry.first == Kind::Aimed && purposeful ? 1500 : entry.second);
        }
        return weights[random.Weighted(odds)].first;
    }

    void MoveOverPlay() {
        const view::Rect& button = View()->playButtonRect;
        switch (random.Below(3)) {
            case 0:
                SendMove(OnPlay());
                break;
            case 1:
                // On the outline, which does not count.
                SendMove(random.Percent(50)
                             ? QPoint(random.Percent(50) ? button.left : button.right,
                                      random.Between(button.top, button.bottom))
                             : QPoint(random.Between(button.left, button.right),
                                      random.Percent(50) ? button.top : button.bottom));
                break;
            default:
                SendMove(QPoint(random.Between(button.left - 15, button.right + 15),
                                random.Between(button.top - 15, button.bottom + 15)));
                break;
        }
    }

    void MoveAnywhere() {
        const QSize board = View()->size();
        const QSize window = frame->size();
        switch (random.Below(4)) {
            case 0:
                SendMove(QPoint(random.Below(std::max(1, board.width())),
                                random.Below(std::max(1, board.height()))));
                break;
            case 1:
                // Beside and below the board, where nothing is drawn.
                SendMove(QPoint(random.Between(250, std::max(250, board.width() + 20)),
                                random.Between(0, board.height() + 20)));
                break;
            case 2:
                // Outside the window altogether.
                SendMove(QPoint(random.Percent(50) ? -random.Between(30, 400)
                                                   : window.width() + random.Between(30, 400),
                                random.Between(-400, window.height() + 400)));
                break;
            default:
                // Over the status bar, below the view.
                SendMove(QPoint(random.Below(std::max(1, board.width())),
                                board.height() + random.Between(2, 12)));
                break;
        }
    }

    // Works toward the winning move (or any move) with the mouse: puts back sticks of another
    // row, selects the next stick, or plays.
    void Aimed() {
        const Rows rows = Document()->engine.GetRows();
        const view::CTorvelView& board = *View();
        if (!board.humanToMove || IsEmpty(rows)) {
            SendMove(OverRow(random.Below(RowCount())));
            Click(Qt::LeftButton, false);
            return;
        }
        const Aim aim = WinningMove(rows);
        if (board.sticksTaken > 0 &&
            (board.selectedRow != aim.row || board.sticksTaken > aim.number)) {
            SendMove(OverRow(board.selectedRow));
            Click(Qt::RightButton, false);
        } else if (board.sticksTaken < aim.number) {
            SendMove(OverRow(aim.row));
            Click(Qt::LeftButton, false);
        } else {
            MoveAndClickPlay();
        }
    }

    void NewGame() {
        ++newGames;
        purposeful = random.Percent(35);
        switch (random.Below(4)) {
            case 0:
                QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
                ++newGameKeys;
                break;
            case 1:
                Action(framework::kFileNew)->trigger();
                break;
            case 2:
                QTest::mouseClick(frame->wndToolBar->widgetForAction(Action(framework::kFileNew)),
                                  Qt::LeftButton);
                leftHeld = false;
                break;
            default:
                frame->ExecuteCommand(framework::kFileNew);
                break;
        }
    }

    void Options() {
        ++optionsRuns;
        if (random.Percent(50)) {
            Action(game::kOptionsCommand)->trigger();
        } else {
            frame->ExecuteCommand(game::kOptionsCommand);
        }
    }

    void Messages() {
        const bool show = random.Percent(55);
        shownByCommand = show;
        ++messagesRuns;
        const framework::CommandId id =
            show ? game::kMessagesShowCommand : game::kMessagesHiddenCommand;
        if (random.Percent(50)) {
            Action(id)->trigger();
        } else {
            frame->ExecuteCommand(id);
        }
    }

    void Resize() {
        ++resizes;
        QSize size;
        switch (random.Below(8)) {
            case 0:
                // Below the frame's smallest size, where it lays the view aside.
                size = QSize(random.Between(1, 160), random.Between(1, 160));
                break;
            case 1:
                // Just above it: a strip of the board.
                size = QSize(random.Between(200, 700), random.Between(72, 130));
                break;
            case 2:
            case 3:
                size = QSize(random.Between(160, 420), random.Between(120, 360));
                break;
            case 4:
            case 5:
                size = QSize(random.Between(420, 900), random.Between(360, 760));
                break;
            default:
                size = frame->sizeHint();
                break;
        }
        frame->resize(size);
    }

    void OtherCommand() {
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        };
        static const std::vector<Key> keys = {
            {Qt::Key_O, Qt::ControlModifier}, {Qt::Key_S, Qt::ControlModifier},
            {Qt::Key_P, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier},
            {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Delete, Qt::ShiftModifier},
            {Qt::Key_F6, Qt::NoModifier},     {Qt::Key_Escape, Qt::NoModifier},
            {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Space, Qt::NoModifier},
        };
        static const std::vector<framework::CommandId> commands = {
            framework::kAppAbout,         game::kInstructionsCommand,
            game::kLegalCommand,          game::kCurvatureOfTimeCommand,
            game::kSpaceTimeCommand,      framework::kFileOpen,
            framework::kFileSave,         framework::kFilePrint,
            framework::kFilePrintPreview, framework::kFilePrintSetup,
            framework::kFilePrintDirect,  framework::kEditCut,
            framework::kEditCopy,         framework::kEditPaste,
            framework::kEditUndo,
        };
        ++otherCommands;
        switch (random.Below(4)) {
            case 0: {
                const Key& key =
                    keys[static_cast<size_t>(random.Below(static_cast<int>(keys.size())))];
                QTest::keyClick(frame, key.key, key.modifiers);
                break;
            }
            case 1: {
                // A button of the toolbar, clicked where it is drawn.
                const QList<QAction*> buttons = frame->wndToolBar->actions();
                QAction* button = buttons[random.Below(static_cast<int>(buttons.size()))];
                if (button->isSeparator() || button == Action(framework::kFileNew)) {
                    QTest::mouseClick(frame->statusBar(), Qt::LeftButton);
                } else {
                    QTest::mouseClick(frame->wndToolBar->widgetForAction(button), Qt::LeftButton);
                }
                leftHeld = false;
                break;
            }
            case 2:
                Action(
                    commands[static_cast<size_t>(random.Below(static_cast<int>(commands.size())))])
                    ->trigger();
                break;
            default:
                frame->ExecuteCommand(
                    commands[static_cast<size_t>(random.Below(static_cast<int>(commands.size())))]);
                break;
        }
    }

    Kind RunEvent() {
        const Kind kind = Choose();
        switch (kind) {
            case Kind::MoveOverBoard:
                SendMove(OverRow(random.Below(RowCount())));
                break;
            case Kind::MoveOverPlay:
                MoveOverPlay();
                break;
            case Kind::MoveAnywhere:
                MoveAnywhere();
                break;
            case Kind::LeftPress:
                if (ViewHasArea()) {
                    Send(Input::LeftPress, PressPoint());
                }
                break;
            case Kind::LeftRelease:
                Send(Input::LeftRelease,
                     random.Percent(80) ? pointer
                                        : QPoint(random.Between(-100, View()->width() + 100),
                                                 random.Between(-100, View()->height() + 100)));
                break;
            case Kind::LeftClick:
                Click(Qt::LeftButton, false);
                break;
            case Kind::LeftDoubleClick:
                Click(Qt::LeftButton, true);
                break;
            case Kind::RightPress:
                if (ViewHasArea()) {
                    Send(Input::RightPress, PressPoint());
                }
                break;
            case Kind::RightRelease:
                Send(Input::RightRelease, pointer);
                break;
            case Kind::RightClick:
                Click(Qt::RightButton, false);
                break;
            case Kind::RightDoubleClick:
                Click(Qt::RightButton, true);
                break;
            case Kind::MiddleClick:
                if (ViewHasArea()) {
                    const QPoint point = PressPoint();
                    Send(Input::MiddlePress, point);
                    Send(Input::MiddleRelease, point);
                }
                break;
            case Kind::ClickPlay:
                MoveAndClickPlay();
                break;
            case Kind::Aimed:
                Aimed();
                break;
            case Kind::NewGame:
                NewGame();
                break;
            case Kind::Options:
                Options();
                break;
            case Kind::Messages:
                Messages();
                break;
            case Kind::Resize:
                Resize();
                break;
            case Kind::OtherCommand:
                OtherCommand();
                break;
        }
        return kind;
    }

    // --- The modal runner ------------------------------------------------------------------

    int AnswerDialog(QDialog& window) {
        if (inDialog) {
            dialogErrors += "a dialog opened inside another; ";
        }
        inDialog = true;
        const int result = Answer(window);
        inDialog = false;
        return result;
    }

    int Answer(QDialog& window) {
        const std::string title = window.windowTitle().toStdString();
        if (framework::Dialog* dialog = framework::Dialog::FromWindow(window)) {
            if (window.parentWidget() != nullptr) {
                dialogErrors += Cat("dialog \"", title, "\" has an owner window; ");
            }
            if (title == "Options") {
                return AnswerOptions(*dialog);
            }
            ++dialogsSeen[title];
            if (title == "Warning") {
                if (!warningDue) {
                    dialogErrors += "a Warning without an OK in Options; ";
                }
                warningDue = false;
            }
            // OK, or closed with the window's own button.
            if (random.Percent(80)) {
                if (!dialog->ClickDlgButton(framework::kIdOk)) {
                    dialogErrors += Cat("dialog \"", title, "\" has no OK; ");
                }
                return window.result();
            }
            return QDialog::Rejected;
        }
        if (auto* files = qobject_cast<QFileDialog*>(&window)) {
            ++dialogsSeen["file"];
            if (random.Percent(70)) {
                return QDialog::Rejected;
            }
            const bool saving = files->acceptMode() == QFileDialog::AcceptSave;
            const std::string name = random.Percent(70) ? "game.tvl" : "missing.tvl";
            files->selectFile(QString::fromStdString(workDir.File(saving ? "game.tvl" : name)));
            return QDialog::Accepted;
        }
        if (auto* box = qobject_cast<QMessageBox*>(&window)) {
            ++dialogsSeen["message box"];
            const QList<QAbstractButton*> buttons = box->buttons();
            if (buttons.isEmpty()) {
                return QMessageBox::Ok;
            }
            return box->standardButton(buttons[random.Below(static_cast<int>(buttons.size()))]);
        }
        if (qobject_cast<QPrintDialog*>(&window) != nullptr) {
            ++dialogsSeen["print"];
            return random.Percent(25) ? QDialog::Accepted : QDialog::Rejected;
        }
        if (qobject_cast<QPrintPreviewDialog*>(&window) != nullptr) {
            ++dialogsSeen["print preview"];
            return QDialog::Rejected;
        }
        if (qobject_cast<QPageSetupDialog*>(&window) != nullptr) {
            ++dialogsSeen["page setup"];
            return random.Percent(50) ? QDialog::Accepted : QDialog::Rejected;
        }
        dialogErrors += Cat("an unknown dialog \"", title, "\"; ");
        return QDialog::Rejected;
    }

    // Clicks a few of the seven buttons, then OK, Cancel or the window's close button, and
    // notes what the document must hold afterwards.
    int AnswerOptions(framework::Dialog& dialog) {
        static const int rowButtons[] = {game::kThreeRowsButton, game::kFourRowsButton,
                                         game::kFiveRowsButton, game::kSixRowsButton,
                                         game::kSevenRowsButton};
        static const int orderButtons[] = {game::kHumanFirstButton, game::kComputerFirstButton};
        for (int id : rowButtons) {
            if (dialog.IsDlgButtonChecked(id) != 0) {
                dialogErrors += Cat("button ", id, " checked at opening; ");
            }
        }
        for (int id : orderButtons) {
            if (dialog.IsDlgButtonChecked(id) != 0) {
                dialogErrors += Cat("button ", id, " checked at opening; ");
            }
        }
        const int clicks = random.Below(4);
        for (int i = 0; i < clicks; ++i) {
            if (random.Percent(60)) {
                // Three to five rows mostly, so that the searches stay short; seven now and then.
                const size_t pick = random.Weighted({30, 26, 26, 12, 6});
                if (!dialog.ClickDlgButton(rowButtons[pick])) {
                    dialogErrors += "a row button would not click; ";
                }
                chosenRows = static_cast<int32_t>(pick) + 3;
            } else {
                const size_t pick = random.Weighted({55, 45});
                if (!dialog.ClickDlgButton(orderButtons[pick])) {
                    dialogErrors += "an order button would not click; ";
                }
                chosenOrder = pick == 0 ? 1 : 0;
            }
        }
        const int ending = random.Below(10);
        if (ending < 6) {
            ++optionsOk;
            warningDue = true;
            optionsExpected = true;
            expectedRows = chosenRows > 0 ? chosenRows : 4;
            expectedHumanFirst = chosenOrder == 1;
            if (!dialog.ClickDlgButton(framework::kIdOk)) {
                dialogErrors += "Options has no OK; ";
            }
            return dialog.GetWindow()->result();
        }
        optionsExpected = false;
        if (ending < 9) {
            if (!dialog.ClickDlgButton(framework::kIdCancel)) {
                dialogErrors += "Options has no Cancel; ";
            }
            return dialog.GetWindow()->result();
        }
        return QDialog::Rejected;
    }

    // --- The checks ------------------------------------------------------------------------

    std::string CheckMenusAndOptions() const {
        std::string error;
        const bool show = Action(game::kMessagesShowCommand)->isChecked();
        const bool hidden = Action(game::kMessagesHiddenCommand)->isChecked();
        if (show == hidden || show != View()->showMessages || show != shownByCommand) {
            error += Cat("Messages: Show ", show, ", Hidden ", hidden, ", view ",
                         View()->showMessages, "; ");
        }
        const int32_t rows = Document()->rowCountOption;
        if (rows < 3 || rows > 7) {
            error += Cat("the rows option is ", rows, "; ");
        }
        return error;
    }

    // Nothing of the game moved: the position, the selection, whose turn, the messages.
    static std::string CheckGameUnchanged(const Before& before, const Rows& rows,
                                          const view::BoardViewState& state, bool linesToo) {
        std::string error;
        if (rows != before.rows) {
            error += Cat("the position went from ", Text(before.rows), " to ", Text(rows), "; ");
        }
        if (state.selectedRow != before.state.selectedRow ||
            state.sticksTaken != before.state.sticksTaken) {
            error += "the selection changed; ";
        }
        if (state.humanToMove != before.state.humanToMove) {
            error += "the turn changed; ";
        }
        if (state.playPressed != before.state.playPressed) {
            error += "playPressed changed; ";
        }
        if (linesToo && (state.messageLine1 != before.state.messageLine1 ||
                         state.messageLine2 != before.state.messageLine2)) {
            error += Cat("the messages changed to \"", state.messageLine1, "\" / \"",
                         state.messageLine2, "\"; ");
        }
        return error;
    }

    std::string CheckEvent(Kind kind, const Before& before) {
        const Rows rows = Document()->engine.GetRows();
        const view::BoardViewState& state = *View();
        std::string error;
        switch (kind) {
            case Kind::NewGame: {
                const Rows full = FullBoard(before.rowCountOption);
                if (before.humanFirst) {
                    if (rows != full) {
                        error += Cat("New Game set up ", Text(rows), "; ");
                    }
                } else {
                    Model opening;
                    opening.rows = full;
                    opening.humanToMove = false;
                    opening.Play(rows);
                    error += opening.error;
                    if (opening.computerMoves != 1) {
                        error += Cat("New Game with the computer first gave ", Text(rows), "; ");
                    }
                    // Announced on the screen, when the window shows the board at all.
                    if (thinkingPaints == thinkingBefore && ViewHasArea()) {
                        error += "the computer's opening was not announced; ";
                    }
                    ++computerMoves;
                }
                if (!state.humanToMove || state.sticksTaken != 0 || state.selectedRow != 0 ||
                    !state.messageLine1.empty() || state.messageLine2 != " ") {
                    error += "New Game left the turn, selection or messages wrong; ";
                }
                gameRows.insert(static_cast<int32_t>(rows.size()));
                break;
            }
            case Kind::Options: {
                error += CheckGameUnchanged(before, rows, state, false);
                if (state.messageLine1 != " " || state.messageLine2 != before.state.messageLine2) {
                    error += Cat("Options left the messages \"", state.messageLine1, "\" / \"",
                                 state.messageLine2, "\"; ");
                }
                const int32_t wantRows = optionsExpected ? expectedRows : before.rowCountOption;
                const bool wantFirst = optionsExpected ? expectedHumanFirst : before.humanFirst;
                if (Document()->rowCountOption != wantRows || Document()->humanFirst != wantFirst) {
                    error +=
                        Cat("the options are ", Document()->rowCountOption, " rows, human first ",
                            Document()->humanFirst, "; wanted ", wantRows, ", ", wantFirst, "; ");
                }
                if (warningDue) {
                    error += "OK in Options brought no Warning; ";
                    warningDue = false;
                }
                break;
            }
            case Kind::Messages:
            case Kind::Resize:
            case Kind::OtherCommand:
                error += CheckGameUnchanged(before, rows, state, true);
                if (Document()->rowCountOption != before.rowCountOption ||
                    Document()->humanFirst != before.humanFirst) {
                    error += "the options changed; ";
                }
                break;
            default: {
                // Mouse input: the model says what each press, release and move does.
                Model model;
                model.rows = before.rows;
                model.selectedRow = before.state.selectedRow;
                model.sticksTaken = before.state.sticksTaken;
                model.humanToMove = before.state.humanToMove;
                model.playPressed = before.state.playPressed;
                model.overPlay = before.state.overPlay;
                model.line1 = before.state.messageLine1;
                model.line2 = before.state.messageLine2;
                model.button = before.state.playButtonRect;
                model.Run(inputs, rows);
                error += model.error;
                if (model.rows != rows || model.selectedRow != state.selectedRow ||
                    model.sticksTaken != state.sticksTaken ||
                    model.humanToMove != state.humanToMove ||
                    model.playPressed != state.playPressed || model.overPlay != state.overPlay ||
                    model.line1 != state.messageLine1 || model.line2 != state.messageLine2) {
                    error += Cat(
                        "the view did not do what the click rules say: wanted ", Text(model.rows),
                        " selection ", model.sticksTaken, "@", model.selectedRow, " human ",
                        model.humanToMove, " pressed ", model.playPressed, " over ", model.overPlay,
                        " \"", model.line1, "\" / \"", model.line2, "\", got ", Text(rows),
                        " selection ", state.sticksTaken, "@", state.selectedRow, " human ",
                        state.humanToMove, " pressed ", state.playPressed, " over ", state.overPlay,
                        " \"", state.messageLine1, "\" / \"", state.messageLine2, "\"; ");
                }
                if (model.computerMoves > 0 && thinkingPaints == thinkingBefore && ViewHasArea()) {
                    error += "the computer's move was not announced; ";
                }
                humanMoves += model.humanMoves;
                computerMoves += model.computerMoves;
                won += model.won ? 1 : 0;
                lost += model.lost ? 1 : 0;
                break;
            }
        }
        if (Document()->GetViews().size() != 1 || frame->GetActiveView() != View()) {
            error += "the frame lost its view; ";
        }
        return error;
    }

    // Draws the board with OnDraw into an image the size of the view and compares every
    // pixel with the board the geometry describes. The three fields a drawing refreshes are
    // put back afterwards, so that the run goes on exactly as it would without the probe.
    std::string CheckDrawing(const Rows& rows) {
        view::CTorvelView& board = *View();
        const int width = board.width();
        const int height = board.height();
        if (width <= 0 || height <= 0) {
            return {};
        }
        const auto rowCount = static_cast<int32_t>(rows.size());
        const view::BoardGeometry geometry(rowCount);
        const view::BoardViewState before = board;
        std::string error;
        // The window's own last drawing is the current one, when the window shows the view.
        if (ViewHasArea() && (before.playButtonRect != geometry.PlayButton(height) ||
                              before.clientRect != view::Rect{0, 0, width, height} ||
                              !std::equal(rows.begin(), rows.end(), before.rowSticks.begin()))) {
            error += "the window's last drawing is out of date; ";
        }

        if (image.size() != QSize(width, height)) {
            image = QImage(width, height, QImage::Format_RGB32);
        }
        image.fill(qRgb(255, 0, 255));
        {
            QPainter painter(&image);
            board.OnDraw(painter);
        }
        ++probes;
        const view::BoardViewState& after = board;
        if (after.messageLine1 != before.messageLine1 ||
            after.messageLine2 != before.messageLine2 || after.selectedRow != before.selectedRow ||
            after.sticksTaken != before.sticksTaken || after.playPressed != before.playPressed ||
            after.overPlay != before.overPlay || after.humanToMove != before.humanToMove ||
            after.showMessages != before.showMessages) {
            error += "drawing changed the view's state; ";
        }
        if (after.clientRect != view::Rect{0, 0, width, height} ||
            after.playButtonRect != geometry.PlayButton(height) ||
            !std::equal(rows.begin(), rows.end(), after.rowSticks.begin())) {
            error += "drawing did not refresh what it measures; ";
        }
        board.clientRect = before.clientRect;
        board.playButtonRect = before.playButtonRect;
        board.rowSticks = before.rowSticks;

        expected.Reset(width, height);
        for (int32_t r = 0; r < rowCount; ++r) {
            const int32_t sticks = rows[static_cast<size_t>(r)];
            const int32_t top = geometry.RowTop(r);
            if (top != 50 * (rowCount - r)) {
                error += Cat("row ", r, " stands at ", top, "; ");
            }
            for (int32_t place = 0; place < sticks; ++place) {
                const int32_t left = geometry.StickLeft(place, sticks);
                if (left != 10 * (2 * rowCount + 1 + place - sticks / 2)) {
                    error += Cat("stick ", place, " of row ", r, " stands at ", left, "; ");
                }
                // The selected sticks leave white where they stood.
                if (r != before.selectedRow || place >= before.sticksTaken) {
                    expected.Stick(left, top);
                }
            }
        }
        for (int32_t place = 0; place < before.sticksTaken; ++place) {
            expected.Stick(geometry.SelectedStickLeft(place), geometry.RowTop(before.selectedRow));
        }
        const view::Rect button = geometry.PlayButton(height);
        const QRect buttonArea(button.left, button.top, button.Width(), button.Height());
        expected.Fill(buttonArea, qRgb(0, 0, 0));
        expected.Fill(buttonArea.adjusted(1, 1, -1, -1), ExpectedBoard::kAnyColour);
        const QFontMetrics metrics(board.font());
        QRect firstLine;
        if (before.showMessages) {
            int lineTop = 0;
            for (const std::string* line : {&before.messageLine1, &before.messageLine2}) {
                if (!line->empty()) {
                    const QRect area(
                        0, lineTop,
                        metrics.horizontalAdvance(QString::fromLatin1(line->c_str())) + 3,
                        metrics.height() + 2);
                    expected.Fill(area, ExpectedBoard::kAnyColour);
                    if (lineTop == 0) {
                        firstLine = area;
                    }
                }
                lineTop = 15;
            }
        }

        int wrong = 0;
        std::string first;
        for (int y = 0; y < height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            const QRgb* wanted = expected.Line(y);
            // Most lines are compared whole; the image's pixels are opaque like the wanted ones.
            if (expected.Exact(y) &&
                std::memcmp(line, wanted, static_cast<size_t>(width) * sizeof(QRgb)) == 0) {
                continue;
            }
            for (int x = 0; x < width; ++x) {
                const QRgb want = wanted[x];
                if (want == ExpectedBoard::kAnyColour || (line[x] | 0xFF000000u) == want) {
                    continue;
                }
                if (wrong++ == 0) {
                    char text[96];
                    std::snprintf(text, sizeof text, "(%d,%d) is #%06x, not #%06x", x, y,
                                  line[x] & 0xFFFFFFu, want & 0xFFFFFFu);
                    first = text;
                }
            }
        }
        if (wrong > 0) {
            error +=
                Cat(wrong, " pixels differ from the board the geometry gives, first ", first, "; ");
        }
        // A shown first line with letters on it is drawn, unless the button lies over it.
        const bool letters = before.messageLine1.find_first_not_of(' ') != std::string::npos;
        if (before.showMessages && letters && QRect(0, 0, width, height).contains(firstLine) &&
            !firstLine.intersects(buttonArea)) {
            bool ink = false;
            for (int y = firstLine.top(); y <= firstLine.bottom() && !ink; ++y) {
                for (int x = firstLine.left(); x <= firstLine.right() && !ink; ++x) {
                    ink = (image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
                }
            }
            if (!ink) {
                error += "the first message line is not drawn; ";
            } else {
                ++textSeen;
            }
        }
        return error;
    }

    void Note(const std::string& what) {
        recent.push_back(what);
        if (recent.size() > 25) {
            recent.pop_front();
        }
    }

    std::string Recent() const {
        std::string text;
        for (const std::string& line : recent) {
            text += Cat("  ", line, "\n");
        }
        return text;
    }

    Random random{kSeed};
    // The probe's drawing and the board it must show, reused from event to event.
    QImage image;
    ExpectedBoard expected;
    NoToolTips noToolTips;
    PaintWatch paintWatch{*this};

    QPoint pointer;
    bool leftHeld = false;
    bool rightHeld = false;
    bool middleHeld = false;
    std::vector<SentInput> inputs;

    bool purposeful = false;
    bool shownByCommand = true;
    int32_t chosenRows = 0;
    int32_t chosenOrder = 1;
    bool optionsExpected = false;
    int32_t expectedRows = 4;
    bool expectedHumanFirst = true;
    bool warningDue = false;
    bool inDialog = false;

    std::string paintErrors;
    std::string dialogErrors;
    std::string harnessErrors;
    std::deque<std::string> recent;

    // What the run went through, for the report and for the checks that it went far enough.
    int qtInputs = 0;
    int movesReceived = 0;
    int paints = 0;
    int probes = 0;
    int textSeen = 0;
    int thinkingPaints = 0;
    int thinkingBefore = 0;
    int computerToMovePaints = 0;
    int playClicks = 0;
    int humanMoves = 0;
    int computerMoves = 0;
    int won = 0;
    int lost = 0;
    int newGames = 0;
    int newGameKeys = 0;
    int optionsRuns = 0;
    int optionsOk = 0;
    int messagesRuns = 0;
    int resizes = 0;
    int otherCommands = 0;
    std::set<int32_t> gameRows{4};
    std::map<std::string, int> dialogsSeen;
    QSize smallestView{100000, 100000};
    int viewAside = 0;
};

TEST_F(WindowMonkey, ThousandsOfRandomEventsKeepEveryInvariant) {
    const int events = EventCount();
    random = Random(Seed());
    framework::ScopedModalRunner runner([this](QDialog& window) { return AnswerDialog(window); });
    Watchdog watchdog(std::chrono::seconds(180));

    const Clock::time_point start = Clock::now();
    double slowest = 0.0;
    std::string slowestWhat;
    std::string error = CheckGame(Document()->engine.GetRows(), *View());
    ASSERT_EQ(error, "") << "at start-up";

    for (int i = 0; i < events; ++i) {
        const Before before = Take();
        inputs.clear();
        thinkingBefore = thinkingPaints;
        watchdog.Began(Cat("event ", i));
        const Clock::time_point began = Clock::now();
        const Kind kind = RunEvent();
        Settle();
        const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
        std::string what = Cat("event ", i, ": ", Describe(kind));
        for (const SentInput& input : inputs) {
            what += Cat(" ", static_cast<int>(input.kind), Text(input.point));
        }
        what += Cat(" on ", Text(before.rows), ", view ", View()->width(), "x", View()->height());
        Note(what);
        if (seconds > slowest) {
            slowest = seconds;
            slowestWhat = what;
        }
        const QRect shown = Shown();
        if (shown.isEmpty()) {
            ++viewAside;
        } else if (shown.height() < smallestView.height()) {
            smallestView = shown.size();
        }

        const Rows rows = Document()->engine.GetRows();
        error = paintErrors + dialogErrors + harnessErrors + CheckGame(rows, *View()) +
                CheckEvent(kind, before) + CheckMenusAndOptions() + CheckDrawing(rows);
        if (!error.empty()) {
            FAIL() << what << "\n  " << error << "\nthe last events (input kinds by number):\n"
                   << Recent();
        }
    }
    const double total = std::chrono::duration<double>(Clock::now() - start).count();

    std::string dialogs;
    for (const auto& [name, count] : dialogsSeen) {
        dialogs += Cat(" ", name, "=", count);
    }
    std::string played;
    for (int32_t rows : gameRows) {
        played += Cat(" ", rows);
    }
    std::printf(
        "monkey: seed %#llx, %d events (%d mouse inputs; the view received %d moves) in %.1f s, "
        "slowest event %.3f s (%s)\n"
        "monkey: %d redraws, %d board probes, %d drawings with text checked\n"
        "monkey: %d human moves (%d Play clicks), %d computer moves (%d redraws while it was "
        "to move), %d games won, %d lost\n"
        "monkey: %d New Games (%d by Ctrl+N), row counts played:%s\n"
        "monkey: %d Options (%d OK), %d Messages, %d resizes (smallest view shown %dx%d, none "
        "shown after %d events), %d other "
        "commands; dialogs:%s\n",
        static_cast<unsigned long long>(Seed()), events, qtInputs, movesReceived, total, slowest,
        slowestWhat.c_str(), paints, probes, textSeen, humanMoves, playClicks, computerMoves,
        computerToMovePaints, won, lost, newGames, newGameKeys, played.c_str(), optionsRuns,
        optionsOk, messagesRuns, resizes, smallestView.width(), smallestView.height(), viewAside,
        otherCommands, dialogs.c_str());
    RecordProperty("events", events);
    RecordProperty("seconds", std::to_string(total));

    // The run went everywhere it should: whole games won and lost, every board size, the
    // keys, the dialogs, and the smallest windows.
    if (Seed() == kSeed && events >= kCoveringEvents) {
        EXPECT_GE(humanMoves, 60);
        EXPECT_GE(computerMoves, 60);
        EXPECT_GE(won, 3);
        EXPECT_GE(lost, 3);
        EXPECT_EQ(gameRows, (std::set<int32_t>{3, 4, 5, 6, 7}));
        EXPECT_GE(newGameKeys, 3);
        EXPECT_GE(optionsOk, 10);
        EXPECT_EQ(dialogsSeen["Warning"], optionsOk);
        EXPECT_GE(dialogsSeen["About Torvel"], 1);
        EXPECT_GE(dialogsSeen["Curvature of Time"] + dialogsSeen["Space-Time"], 1);
        EXPECT_GE(dialogsSeen["file"], 1);
        EXPECT_GE(dialogsSeen["print"] + dialogsSeen["page setup"], 1);
        EXPECT_GE(messagesRuns, 20);
        EXPECT_LE(smallestView.height(), 20);
        EXPECT_GE(viewAside, 50);
        EXPECT_GE(textSeen, 1000);
        EXPECT_GE(thinkingPaints, computerMoves / 2);
    }
}

}  // namespace
