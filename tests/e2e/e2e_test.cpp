// The real program played as a person plays it, on the test's own virtual X server: `torvel` in
// a fresh working directory, clicked with xdotool, its board read back from `xwd` screen dumps. A
// whole game: each turn the human clicks the sticks of the computer's own choice and the drawn
// Play button, and the screen must show the move and the computer's reply.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "engine/game_engine.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

using Rows = std::vector<int32_t>;

// A TrueColor screen dump: a big-endian header of 25 fields, the colour map, then the pixels,
// least significant byte first.
struct Screen {
    std::string bytes;
    uint32_t Field(size_t i) const {
        return uint32_t(uint8_t(bytes[4 * i])) << 24 | uint32_t(uint8_t(bytes[4 * i + 1])) << 16 |
               uint32_t(uint8_t(bytes[4 * i + 2])) << 8 | uint8_t(bytes[4 * i + 3]);
    }
    uint32_t At(int x, int y) const {  // 0xRRGGBB; black off the screen
        const size_t at = bytes.size() < 100 || x < 0 || y < 0 || x >= int(Field(4))
                              ? bytes.size()
                              : Field(0) + Field(19) * 12 + y * Field(12) + x * Field(11) / 8;
        return at + 3 > bytes.size() ? 0
                                     : uint32_t(uint8_t(bytes[at])) | uint8_t(bytes[at + 1]) << 8 |
                                           uint8_t(bytes[at + 2]) << 16;
    }
};

class EndToEnd : public ::testing::Test {
  protected:
    // Xvfb picks a free display and names it once it listens there; it must not reset when its
    // last client leaves, as a screen dump taken before the window connects would make it do.
    void SetUp() override {
        server = ::popen(
            "echo $$; exec Xvfb -displayfd 1 -nolisten tcp -noreset -screen 0 "
            "1024x768x24",
            "r");
        char display[16] = ":";
        ASSERT_EQ(std::fscanf(server, "%d %9s", &serverPid, display + 1), 2) << "no X server";
        ::setenv("DISPLAY", display, 1);
        ::unsetenv("XAUTHORITY");
    }
    void TearDown() override {
        ::kill(serverPid, SIGTERM);
        ::pclose(server);
    }
    static Screen Shot() {
        testsupport::RunProgram("/usr/bin/xwd", {"-root", "-silent", "-out", "screen.xwd"});
        return Screen{testsupport::ReadFile("screen.xwd")};
    }
    // The sticks in each row of the board, then those selected beside it.
    Rows RowsOn(const Screen& s) const {
        Rows rows(5, 0);
        for (int x = 0; x < 600; ++x) {
            for (int32_t r = 0; r < 4; ++r) {
                rows[x < 390 ? size_t(r) : 4] +=
                    s.At(left + x, top + 50 * (4 - r) + 20) == 0xFFFF00;
            }
        }
        return rows;
    }
    bool WaitFor(const std::function<bool(const Screen&)>& done) {
        for (int i = 0; i < 100; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(200))) {
            if (done(Shot())) {
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
    std::FILE* server = nullptr;
    pid_t serverPid = 0;
    int left = 0, top = 0;
};

TEST_F(EndToEnd, AWholeGameWithTheMouseReachesTheScreen) {
    ::unsetenv("QT_QPA_PLATFORM");
    ::setenv("XDG_CONFIG_HOME", dir.path.c_str(), 1);
    const pid_t torvel = ::fork();
    if (torvel == 0) {
        ::execl(TORVEL_BINARY, TORVEL_BINARY, nullptr);
        ::_exit(127);
    }
    // The fresh board's first stick, the top row's leftmost, stands at (60, 50) of the view.
    const bool board = WaitFor([this](const Screen& s) {
        for (int at = 0; at < 1024 * 700; ++at) {
            const int x = at % 1024, y = at / 1024;
            if (s.At(x, y) == 0x808080 && s.At(x + 1, y) == 0x737373 &&
                s.At(x, y + 9) == 0xFFFF00) {
                left = x - 60;
                top = y - 50;
                return RowsOn(s) == Rows{1, 3, 5, 7, 0};
            }
        }
        return false;
    });
    ASSERT_TRUE(board) << "the board never showed";
    const Screen fresh = Shot();
    int button = 250;  // the Play button's top edge: black from x = 180 to 239
    while (button < 700 &&
           (fresh.At(left + 179, top + button) == 0 ||
            fresh.At(left + 180, top + button) | fresh.At(left + 239, top + button))) {
        ++button;
    }
    engine::GameEngine game(std::make_shared<table::PositionTable>(""));
    for (int turn = 0; turn < 10 && !game.IsEmpty(); ++turn) {
        const engine::Move move = game.ChooseMove();
        for (int32_t i = 0; i < move.number; ++i) {
            Click(300, 50 * (4 - move.row) + 20);
        }
        Rows shown = game.GetRows();
        shown[size_t(move.row)] -= move.number;
        shown.push_back(move.number);
        ASSERT_TRUE(WaitFor([&](const Screen& s) { return RowsOn(s) == shown; })) << turn;
        game.ApplyMove(move);
        Click(210, button + 20);
        if (!game.IsEmpty()) {
            game.ApplyMove(game.ChooseMove());
        }
        shown = game.GetRows();
        shown.push_back(0);
        ASSERT_TRUE(WaitFor([&](const Screen& s) { return RowsOn(s) == shown; })) << turn;
    }
    EXPECT_TRUE(game.IsEmpty()) << "1, 3, 5, 7 is lost for the human, who moves first";
    const int keys = std::atoi(testsupport::ReadFile("torvelbase.txt").c_str());
    EXPECT_TRUE(keys > 0 && keys % 11 == 0) << keys;
    ::kill(torvel, SIGKILL);
    ::waitpid(torvel, nullptr, 0);
}

}  // namespace
