// `torvel-cli move` on the seven-row start, killed with SIGKILL at random instants (a fixed
// seed), each run going on from the file the last one left. After every kill the base file is
// absent or sound by verify, holds only lines of an uninterrupted run's file and a count that is
// a multiple of eleven, and at most one temporary file of the killed save lies beside it. A run
// that ends on its own leaves exactly the file of an uninterrupted run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>
#include <unordered_set>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
const std::vector<std::string> kMove = {"move", "1", "3", "5", "7", "9", "11", "13"};

// Runs the move in the working directory, killed after `after` unless it ends first; true when
// it was killed.
bool RunKilledAfter(std::chrono::microseconds after) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(TORVEL_CLI)};
        for (const std::string& arg : kMove) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stdout);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    std::this_thread::sleep_for(after);
    ::kill(pid, SIGKILL);  // not reaped yet, so the pid is still ours
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status);
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(KillAtAnyInstant, TheSevenRowMoveSurvivesEveryKill) {
    testsupport::TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(testsupport::RunProgram(TORVEL_CLI, kMove).out, "6 11\n");
    const auto clean = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    const std::string cleanText = testsupport::ReadFile("torvelbase.txt");
    const std::vector<std::string> cleanLines = LinesOf(cleanText);
    const std::unordered_set<std::string> cleanKeys(cleanLines.begin() + 1, cleanLines.end());
    fs::remove("torvelbase.txt");

    std::mt19937 random(20261206);
    std::uniform_int_distribution<int64_t> instant(0, clean.count() / 3);
    int kills = 0;
    int finished = 0;
    for (int attempt = 0; kills < 40 && attempt < 400; ++attempt) {
        if (!RunKilledAfter(std::chrono::microseconds(instant(random)))) {
            ++finished;
            ASSERT_TRUE(testsupport::ReadFile("torvelbase.txt") == cleanText)
                << "attempt " << attempt;
            fs::remove("torvelbase.txt");
            continue;
        }
        ++kills;
        std::vector<std::string> others;
        for (const auto& entry : fs::directory_iterator(".")) {
            if (entry.path().filename() != "torvelbase.txt") {
                others.push_back(entry.path().filename().string());
            }
        }
        ASSERT_LE(others.size(), 1u) << testing::PrintToString(others);
        if (!others.empty()) {
            EXPECT_TRUE(others[0].starts_with("torvelbase.txt.")) << others[0];
            fs::remove(others[0]);
        }
        if (!fs::exists("torvelbase.txt")) {
            continue;
        }
        const auto verify = testsupport::RunProgram(TORVEL_CLI, {"verify"});
        ASSERT_EQ(verify.status, 0) << "kill " << kills << ": " << verify.out;
        const std::vector<std::string> lines = LinesOf(testsupport::ReadFile("torvelbase.txt"));
        ASSERT_EQ((lines.size() - 1) % 11, 0u);
        for (size_t i = 1; i < lines.size(); ++i) {
            ASSERT_TRUE(cleanKeys.contains(lines[i])) << "kill " << kills << ": " << lines[i];
        }
    }
    EXPECT_EQ(kills, 40) << finished << " runs finished before their kill";
    ASSERT_EQ(testsupport::RunProgram(TORVEL_CLI, kMove).out, "6 11\n");
    EXPECT_TRUE(testsupport::ReadFile("torvelbase.txt") == cleanText);
}

}  // namespace
