// The real program, played as a person plays it: `torvel` starts on a virtual X server (Xvfb) in
// a fresh working directory; xdotool moves the pointer and clicks three sticks of the top row
// and then the drawn Play button; `xwd` dumps the screen, and the board is read back from its
// pixels. The human's move and the computer's reply must both be on the board, and the search
// must have written torvelbase.txt.
//
// Skipped only where Xvfb is not installed. Set TORVEL_E2E_SCREENSHOT to a .png path to keep a
// picture of the screen at the end.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/game_engine.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "xwd_image.h"

namespace {

using e2e::Pixel;
using e2e::XwdImage;
using namespace std::chrono_literals;
using Rows = std::vector<int32_t>;

std::string FindInPath(const std::string& name) {
    const char* path = ::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::filesystem::path candidate =
            std::filesystem::path(dirs.substr(start, end - start)) / name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
        start = end + 1;
    }
    return {};
}

// A child process that is ended (politely, then not) when the object goes.
class Child {
  public:
    // Runs `argv` with `keepFd`, if any, as its descriptor 3.
    Child(const std::vector<std::string>& argv, int keepFd = -1) {
        pid = ::fork();
        if (pid == 0) {
            if (keepFd >= 0) {
                ::dup2(keepFd, 3);
            }
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, 1);
            ::dup2(devNull, 2);
            std::vector<char*> args;
            for (const std::string& arg : argv) {
                args.push_back(const_cast<char*>(arg.c_str()));
            }
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
    }
    ~Child() {
        if (pid <= 0) {
            return;
        }
        ::kill(pid, SIGTERM);
        for (int i = 0; i < 50; ++i) {
            if (::waitpid(pid, nullptr, WNOHANG) == pid) {
                return;
            }
            std::this_thread::sleep_for(100ms);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Running() const { return pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0; }

  private:
    pid_t pid = -1;
};

const Pixel kTipGrey{128, 128, 128};
const Pixel kTipGreyNext{115, 115, 115};
const Pixel kHeadRed{192, 0, 0};
const Pixel kBodyYellow{255, 255, 0};
const Pixel kBlack{0, 0, 0};
const Pixel kWhite{255, 255, 255};

// Where the board view's client area lies on the screen, found from the drawing itself.
struct Board {
    int left = 0;
    int top = 0;
};

// The top-left pixel of the first stick in reading order: grey tip, red head, yellow body.
std::optional<Board> FindFreshBoard(const XwdImage& screen) {
    for (int y = 0; y + 40 < screen.Height(); ++y) {
        for (int x = 0; x + 5 < screen.Width(); ++x) {
            if (screen.At(x, y) == kTipGrey && screen.At(x + 1, y) == kTipGreyNext &&
                screen.At(x, y + 2) == kHeadRed && screen.At(x, y + 9) == kBodyYellow) {
                // On a fresh four-row board that is the left stick of the top row, at (60, 50).
                return Board{x - 60, y - 50};
            }
        }
    }
    return std::nullopt;
}

// Sticks standing in a row of a four-row board, counted by their brightest column.
int32_t SticksInRow(const XwdImage& screen, const Board& board, int32_t row, int fromX, int toX) {
    const int y = board.top + 50 * (4 - row) + 20;
    int32_t sticks = 0;
    for (int x = board.left + fromX; x < board.left + toX; ++x) {
        sticks += screen.At(x, y) == kBodyYellow ? 1 : 0;
    }
    return sticks;
}

Rows RowsOnBoard(const XwdImage& screen, const Board& board) {
    Rows rows;
    for (int32_t r = 0; r < 4; ++r) {
        rows.push_back(SticksInRow(screen, board, r, 0, 380));
    }
    return rows;
}

// Sticks drawn beside the board, where the selection stands.
int32_t SelectedSticks(const XwdImage& screen, const Board& board) {
    int32_t selected = 0;
    for (int32_t r = 0; r < 4; ++r) {
        selected += SticksInRow(screen, board, r, 390, 600);
    }
    return selected;
}

// The top edge of the Play button: a black line 60 pixels long from x = 180 of the view.
std::optional<int> FindPlayButtonTop(const XwdImage& screen, const Board& board) {
    for (int y = board.top + 250; y < screen.Height(); ++y) {
        bool line = screen.At(board.left + 179, y) != kBlack;
        for (int x = 180; x < 240 && line; ++x) {
            line = screen.At(board.left + x, y) == kBlack;
        }
        if (line) {
            return y;
        }
    }
    return std::nullopt;
}

int InkIn(const XwdImage& screen, int left, int top, int width, int height) {
    int ink = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            ink += screen.At(x, y) == kWhite ? 0 : 1;
        }
    }
    return ink;
}

void SavePng(const XwdImage& screen, const std::string& path) {
    QImage image(screen.Width(), screen.Height(), QImage::Format_RGB32);
    for (int y = 0; y < screen.Height(); ++y) {
        for (int x = 0; x < screen.Width(); ++x) {
            const Pixel p = screen.At(x, y);
            image.setPixel(x, y, qRgb(p.red, p.green, p.blue));
        }
    }
    image.save(QString::fromStdString(path));
}

// What the computer answers to the human's three sticks from the top row, worked out by the
// same engine in a directory of its own.
Rows ExpectedAfterTheReply() {
    testsupport::TempDir scratch;
    engine::GameEngine game(std::make_shared<table::PositionTable>());
    game.SetRows({1, 3, 5, 4});
    EXPECT_TRUE(game.ApplyMove(game.ChooseMove()));
    return game.GetRows();
}

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        xvfb = FindInPath("Xvfb");
        if (xvfb.empty()) {
            GTEST_SKIP() << "Xvfb is not installed, so there is no X server to run torvel on "
                            "(apt-get install xvfb)";
        }
        xdotool = FindInPath("xdotool");
        xwd = FindInPath("xwd");
        ASSERT_FALSE(xdotool.empty()) << "xdotool is needed to click the window";
        ASSERT_FALSE(xwd.empty()) << "xwd (x11-apps) is needed to take screenshots";
    }

    // Starts a virtual screen and points DISPLAY at it.
    void StartServer() {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        server = std::make_unique<Child>(
            std::vector<std::string>{xvfb, "-displayfd", "3", "-screen", "0", "1024x768x24",
                                     "-nolisten", "tcp"},
            fds[1]);
        ::close(fds[1]);
        // Xvfb writes the display number it took once it is ready.
        std::string number;
        pollfd ready{fds[0], POLLIN, 0};
        while (number.find('\n') == std::string::npos && ::poll(&ready, 1, 20000) > 0) {
            char buffer[16];
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            number.append(buffer, static_cast<size_t>(n));
        }
        ::close(fds[0]);
        ASSERT_NE(number.find('\n'), std::string::npos) << "Xvfb did not start";
        std::string name = ":";
        name += number.substr(0, number.find('\n'));
        ::setenv("DISPLAY", name.c_str(), 1);
        // The program finds the X server, not the offscreen platform, and keeps its settings
        // and runtime files in folders of the test.
        ::unsetenv("QT_QPA_PLATFORM");
        ::unsetenv("WAYLAND_DISPLAY");
        std::filesystem::create_directories(home.Path() / "config");
        std::filesystem::create_directories(home.Path() / "runtime");
        std::filesystem::permissions(home.Path() / "runtime", std::filesystem::perms::owner_all);
        ::setenv("XDG_CONFIG_HOME", (home.Path() / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (home.Path() / "runtime").c_str(), 1);
    }

    std::optional<XwdImage> Screenshot() {
        const std::string file = home.File("screen.xwd");
        const testsupport::RunResult shot =
            testsupport::RunProgram(xwd, {"-root", "-silent", "-out", file});
        if (shot.status != 0) {
            return std::nullopt;
        }
        return XwdImage::Read(file);
    }

    // Takes screenshots until `done` holds for one, for at most `limit`.
    std::optional<XwdImage> WaitFor(const std::function<bool(const XwdImage&)>& done,
                                    std::chrono::seconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        std::optional<XwdImage> screen;
        do {
            screen = Screenshot();
            if (screen && done(*screen)) {
                return screen;
            }
            std::this_thread::sleep_for(200ms);
        } while (std::chrono::steady_clock::now() < end);
        return std::nullopt;
    }

    void Click(int x, int y) {
        const testsupport::RunResult moved =
            testsupport::RunProgram(xdotool, {"mousemove", std::to_string(x), std::to_string(y),
                                              "sleep", "0.2", "click", "1", "sleep", "0.3"});
        ASSERT_EQ(moved.status, 0) << moved.err;
    }

    std::string xvfb, xdotool, xwd;
    testsupport::TempDir home;
    std::unique_ptr<Child> server;
};

TEST_F(EndToEnd, AHumansMoveWithTheMouseAndTheComputersReplyReachTheScreen) {
    const Rows expected = ExpectedAfterTheReply();
    StartServer();
    ASSERT_FALSE(HasFatalFailure());
    testsupport::TempDir work;
    const Child torvel({TORVEL_BINARY});

    Board board;
    const std::optional<XwdImage> fresh = WaitFor(
        [&board](const XwdImage& screen) {
            const std::optional<Board> found = FindFreshBoard(screen);
            if (found) {
                board = *found;
            }
            return found.has_value() && RowsOnBoard(screen, *found) == Rows{1, 3, 5, 7};
        },
        30s);
    ASSERT_TRUE(fresh.has_value()) << "the board of a new game never showed";
    ASSERT_TRUE(torvel.Running());
    const std::optional<int> buttonTop = FindPlayButtonTop(*fresh, board);
    ASSERT_TRUE(buttonTop.has_value()) << "no Play button on the screen";

    // Three sticks of the top row, one click each.
    for (int i = 0; i < 3; ++i) {
        Click(board.left + 90 + 13 * i, board.top + 70);
    }
    const std::optional<XwdImage> selected = WaitFor(
        [&board](const XwdImage& screen) { return SelectedSticks(screen, board) == 3; }, 10s);
    ASSERT_TRUE(selected.has_value()) << "the three clicks did not select three sticks";
    EXPECT_EQ(RowsOnBoard(*selected, board), (Rows{1, 3, 5, 4}));

    Click(board.left + 210, *buttonTop + 20);
    const std::optional<XwdImage> replied = WaitFor(
        [&board, &expected](const XwdImage& screen) {
            return SelectedSticks(screen, board) == 0 && RowsOnBoard(screen, board) == expected;
        },
        30s);
    if (const char* keep = ::getenv("TORVEL_E2E_SCREENSHOT")) {
        if (std::optional<XwdImage> last = replied ? replied : Screenshot()) {
            SavePng(*last, keep);
        }
    }
    ASSERT_TRUE(replied.has_value())
        << "the board never showed the human's move and the computer's reply";
    // Both moves are made: the top row lost three sticks and the computer took at least one.
    int32_t left = 0;
    for (int32_t sticks : expected) {
        left += sticks;
    }
    EXPECT_LT(left, 13);
    // The computer's message stands at the top-left corner.
    EXPECT_GT(InkIn(*replied, board.left, board.top, 200, 28), 100);
    EXPECT_TRUE(torvel.Running());

    std::ifstream base(work.File("torvelbase.txt"));
    ASSERT_TRUE(base.good()) << "the search wrote no torvelbase.txt";
    int64_t count = 0;
    base >> count;
    EXPECT_GT(count, 0);
    EXPECT_EQ(count % 11, 0);
}

}  // namespace
