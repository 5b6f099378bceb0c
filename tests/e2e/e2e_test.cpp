// The real program played as a person plays it: `torvel` on a virtual X server (Xvfb) in a fresh
// working directory, clicked with xdotool, its board read back from `xwd` screen dumps. A whole
// game: each turn the human clicks the sticks of the computer's own choice and the drawn Play
// button, and the screen must show the human's move and the computer's reply.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "engine/game_engine.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

using Rows = std::vector<int32_t>;

// A TrueColor screen dump: a big-endian header of 25 fields, the colour map, then the pixels.
struct Screen {
    std::string bytes;
    uint32_t Field(size_t i) const {
        uint32_t value = 0;
        for (size_t k = 0; k < 4; ++k) {
            value = value << 8 | static_cast<uint8_t>(bytes[4 * i + k]);
        }
        return value;
    }
    bool Valid() const { return bytes.size() > 100 && Field(2) == 2 && Field(11) >= 24; }
    int Width() const { return int(Field(4)); }
    int Height() const { return int(Field(5)); }
    uint32_t At(int x, int y) const {  // 0xRRGGBB, least significant byte first
        const size_t at =
            Field(0) + Field(19) * 12 + size_t(y) * Field(12) + size_t(x) * Field(11) / 8;
        if (x < 0 || y < 0 || x >= Width() || y >= Height() || at + 3 >= bytes.size()) {
            return 0;
        }
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16;
    }
};

// A program with `fd`, if any, as its descriptor 3, killed when the object goes.
struct Child {
    explicit Child(const std::vector<std::string>& args, int fd = -1);
    ~Child() {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    pid_t pid;
};

Child::Child(const std::vector<std::string>& args, int fd) : pid(::fork()) {
    if (pid == 0) {
        if (fd >= 0) {
            ::dup2(fd, 3);
        }
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stdout);
        ::freopen("/dev/null", "w", stderr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
}

class EndToEnd : public ::testing::Test {
  protected:
    Screen Shot() {
        testsupport::RunProgram("/usr/bin/xwd", {"-root", "-silent", "-out", "screen.xwd"});
        return Screen{testsupport::ReadFile("screen.xwd")};
    }
    // The rows the screen shows, counted by their sticks' first column, and those beside them.
    Rows RowsOn(const Screen& s) const {
        Rows rows(5, 0);
        for (int32_t r = 0; r < 4; ++r) {
            for (int x = 0; x < 600; ++x) {
                rows[x < 390 ? size_t(r) : 4] +=
                    s.At(left + x, top + 50 * (4 - r) + 20) == 0xFFFF00;
            }
        }
        return rows;
    }
    bool WaitFor(const Rows& expected) {
        for (int i = 0; i < 150; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(200))) {
            if (const Screen s = Shot(); s.Valid() && RowsOn(s) == expected) {
                return true;
            }
        }
        return false;
    }
    void Click(int x, int y) {
        testsupport::RunProgram("/usr/bin/xdotool",
                                {"mousemove", std::to_string(left + x), std::to_string(top + y),
                                 "sleep", "0.1", "click", "1", "sleep", "0.2"});
    }
    testsupport::TempDir dir;
    int left = 0, top = 0;
};

TEST_F(EndToEnd, AWholeGameWithTheMouseReachesTheScreen) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const Child server(
        {"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, fds[1]);
    ::close(fds[1]);
    char number[16] = {};  // Xvfb writes the display it took once it is ready
    ASSERT_GT(::read(fds[0], number, sizeof number - 1), 0) << "Xvfb did not start";
    ::close(fds[0]);
    std::string display(1, ':');
    display.append(number, std::strcspn(number, "\n"));
    ::setenv("DISPLAY", display.c_str(), 1);
    ::unsetenv("QT_QPA_PLATFORM");
    ::setenv("XDG_CONFIG_HOME", dir.path.c_str(), 1);
    const Child torvel({TORVEL_BINARY});
    bool found = false;  // the fresh board's first stick, the top row's leftmost, is at (60, 50)
    for (int i = 0; i < 150 && !found;
         ++i, std::this_thread::sleep_for(std::chrono::milliseconds(200))) {
        const Screen s = Shot();
        for (int y = 0; s.Valid() && y + 9 < s.Height() && !found; ++y) {
            for (int x = 0; x < s.Width() && !found; ++x) {
                found = s.At(x, y) == 0x808080 && s.At(x + 1, y) == 0x737373 &&
                        s.At(x, y + 2) == 0xC00000 && s.At(x, y + 9) == 0xFFFF00;
                left = x - 60;
                top = y - 50;
            }
        }
    }
    ASSERT_TRUE(found) << "the board never showed";
    const Screen fresh = Shot();
    int button = 250;  // the Play button's top edge: black from x = 180 to 239
    while (button < 700 &&
           !(fresh.At(left + 179, top + button) != 0 && fresh.At(left + 180, top + button) == 0 &&
             fresh.At(left + 239, top + button) == 0)) {
        ++button;
    }
    ASSERT_LT(button, 700) << "no Play button";
    EXPECT_TRUE(WaitFor({1, 3, 5, 7, 0}));
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    int turns = 0;
    for (; !game.IsEmpty() && turns < 10; ++turns) {
        const engine::Move move = game.ChooseMove();
        for (int32_t i = 0; i < move.number; ++i) {
            Click(300, 50 * (4 - move.row) + 20);
        }
        Rows shown = game.GetRows();
        shown[size_t(move.row)] -= move.number;
        shown.push_back(move.number);
        ASSERT_TRUE(WaitFor(shown)) << "turn " << turns << ": the selection did not show";
        game.ApplyMove(move);
        Click(210, button + 20);
        if (!game.IsEmpty()) {
            game.ApplyMove(game.ChooseMove());
        }
        shown = game.GetRows();
        shown.push_back(0);
        ASSERT_TRUE(WaitFor(shown)) << "turn " << turns << ": the reply did not show";
    }
    EXPECT_TRUE(game.IsEmpty()) << "1, 3, 5, 7 is lost for the human, who moves first";
    const int keys = std::atoi(testsupport::ReadFile("torvelbase.txt").c_str());
    EXPECT_TRUE(keys > 0 && keys % 11 == 0) << keys;
}

}  // namespace
