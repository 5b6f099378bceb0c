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
using testsupport::ReadFile;
const std::vector<std::string> kMove = {"move", "1", "3", "5", "7", "9", "11", "13"};

// Whether the move, started in the working directory, was still running `after` from its start.
bool KilledAfter(std::chrono::microseconds after) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::freopen("/dev/null", "w", stdout);
        ::execl(TORVEL_CLI, TORVEL_CLI, "move", "1", "3", "5", "7", "9", "11", "13", nullptr);
        ::_exit(127);
    }
    std::this_thread::sleep_for(after);
    ::kill(pid, SIGKILL);  // not reaped yet, so the pid is still ours
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status);
}

TEST(KillAtAnyInstant, TheSevenRowMoveSurvivesEveryKill) {
    testsupport::TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(testsupport::RunProgram(TORVEL_CLI, kMove).out, "6 11\n");
    const auto clean = std::chrono::steady_clock::now() - start;
    const std::string cleanText = ReadFile("torvelbase.txt");
    std::unordered_set<std::string> cleanLines;
    std::istringstream cleanIn(cleanText);
    for (std::string line; std::getline(cleanIn, line);) {
        cleanLines.insert(line);
    }
    fs::remove("torvelbase.txt");
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int64_t> instant(
        0, std::chrono::duration_cast<std::chrono::microseconds>(clean).count() / 3);
    int kills = 0;
    for (int attempt = 0; kills < 40 && attempt < 400; ++attempt) {
        if (!KilledAfter(std::chrono::microseconds(instant(random)))) {
            ASSERT_TRUE(ReadFile("torvelbase.txt") == cleanText) << "attempt " << attempt;
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
        for (const std::string& name : others) {
            EXPECT_TRUE(name.starts_with("torvelbase.txt.")) << name;
            fs::remove(name);
        }
        if (fs::exists("torvelbase.txt")) {
            const auto verify = testsupport::RunProgram(TORVEL_CLI, {"verify"});
            ASSERT_EQ(verify.status, 0) << "kill " << kills << ": " << verify.out;
            std::istringstream lines(ReadFile("torvelbase.txt"));
            std::string line;
            for (size_t n = 0; std::getline(lines, line); ++n) {
                ASSERT_TRUE(n == 0 ? std::stoi(line) % 11 == 0 : cleanLines.contains(line))
                    << "kill " << kills << ": " << line;
            }
        }
    }
    EXPECT_EQ(kills, 40) << "the runs kept finishing before their kill";
    ASSERT_EQ(testsupport::RunProgram(TORVEL_CLI, kMove).out, "6 11\n");
    EXPECT_TRUE(ReadFile("torvelbase.txt") == cleanText);
}

}  // namespace
