// Kill at any instant: `torvel-cli move` on the seven-row start is killed with SIGKILL at random
// instants (a fixed seed), each run starting from the file the run before it left. After every
// kill the base file must be absent or sound, and after every run that finished on its own the
// file must be byte for byte the one a clean, uninterrupted run writes.
//
// Every file a run leaves is a prefix, in order of discovery, of what a clean run finds (the
// search reaches new positions in the same order whatever the file already holds), so besides
// being sound it must hold only lines of the clean run's file, and a count that is a multiple
// of eleven.
//
// Temporary files: a save writes torvelbase.txt.tmp<pid>-<n> beside the base file and then
// exchanges (or renames) it into place. A kill inside that window leaves the temporary file
// behind, either the new text in part or whole, or the old file it replaced; the program does
// not clean up after a process that was killed. So after a kill the test allows at most one
// temporary file, named for the process just killed, holding lines of the clean run's file and,
// once its count line is written, eleven keys more than the base file (the save that was being
// written) or eleven fewer (the old file, exchanged out and not yet removed); after a run that
// finished it allows none. It then removes the leftover, so that each kill is judged on its own.
//
// Kill instants are drawn from [0, a quarter of a clean run), so that a round from no file to a
// finished run takes several kills, each run going on from where the last one was stopped:
// the kills fall all along the search, in its saves and between them, and the test stays short
// even where the program runs several times slower (a sanitized build). A run that finishes
// before its kill ends the round; the next round starts from no file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "hardening/base_check.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKillsWanted = 200;
constexpr int kAttemptsAllowed = 20 * kKillsWanted;
constexpr unsigned kSeed = 20261206;
const std::vector<std::string> kSevenRows = {"move", "1", "3", "5", "7", "9", "11", "13"};
const std::string kBase = "torvelbase.txt";

struct CliRun {
    pid_t pid = -1;
    bool killed = false;  // ended by our SIGKILL
    int exitStatus = -1;  // when it exited on its own
    std::string out;
    std::string err;
};

// Starts torvel-cli in `dir` and, with a `killAfter`, sends it SIGKILL that long after the start.
CliRun RunCli(const fs::path& dir, const fs::path& scratch,
              std::optional<std::chrono::microseconds> killAfter) {
    const std::string outName = (scratch / "out.txt").string();
    const std::string errName = (scratch / "err.txt").string();
    std::vector<char*> argv;
    std::string program = TORVEL_CLI;
    argv.push_back(program.data());
    std::vector<std::string> args = kSevenRows;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    CliRun run;
    run.pid = ::fork();
    if (run.pid == 0) {
        const int out = ::open(outName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(dir.c_str()) != 0) {
            ::_exit(126);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (run.pid < 0) {
        return run;
    }
    if (killAfter) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(*killAfter);
        timespec delay{};
        delay.tv_sec = static_cast<time_t>(seconds.count());
        delay.tv_nsec = static_cast<long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(*killAfter - seconds).count());
        while (::clock_nanosleep(CLOCK_MONOTONIC, 0, &delay, &delay) == EINTR) {
        }
        // The child is not reaped yet, so its pid cannot have been reused: a child that has
        // already finished is a zombie, which the signal leaves as it is.
        ::kill(run.pid, SIGKILL);
    }
    int status = 0;
    while (::waitpid(run.pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = testsupport::ReadFile(outName);
    run.err = testsupport::ReadFile(errName);
    return run;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Whether `name` is a temporary file of a save by process `pid`: torvelbase.txt.tmp<pid>-<n>.
bool IsTemporaryOf(const std::string& name, pid_t pid) {
    const std::string prefix = kBase + ".tmp" + std::to_string(pid) + "-";
    if (!name.starts_with(prefix) || name.size() == prefix.size()) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(KillAtAnyInstant, SevenRowMoveSurvivesTwoHundredKillsAndEndsWithTheCleanFile) {
    testsupport::TempDir root;
    const fs::path scratch = root.Path();
    const fs::path clean = scratch / "clean";
    const fs::path work = scratch / "work";
    fs::create_directory(clean);
    fs::create_directory(work);

    // The clean run, which also sets the time scale of the kills.
    const auto start = std::chrono::steady_clock::now();
    const CliRun cleanRun = RunCli(clean, scratch, std::nullopt);
    const auto cleanTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    ASSERT_EQ(cleanRun.exitStatus, 0) << cleanRun.err;
    ASSERT_EQ(cleanRun.out, "6 11\n");
    ASSERT_EQ(Names(clean), std::vector<std::string>{kBase});
    const std::string cleanText = testsupport::ReadFile((clean / kBase).string());
    const hardening::BaseVerdict cleanVerdict = hardening::CheckBaseFile(clean / kBase);
    ASSERT_TRUE(cleanVerdict.ok) << cleanVerdict.report;
    const std::vector<std::string> cleanLines = Lines(cleanText);
    const std::unordered_set<std::string> cleanKeys(cleanLines.begin() + 1, cleanLines.end());

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int64_t> instant(0, std::max<int64_t>(cleanTime.count() / 4, 1));
    int kills = 0;
    int killsInASave = 0;
    int finished = 0;
    int filesVerified = 0;
    std::string lastVerified;
    int attempts = 0;
    while (kills < kKillsWanted) {
        ASSERT_LT(attempts, kAttemptsAllowed) << "the runs keep finishing before their kill";
        ++attempts;
        const CliRun run = RunCli(work, scratch, std::chrono::microseconds(instant(random)));
        ASSERT_GT(run.pid, 0);
        const fs::path base = work / kBase;
        const std::vector<std::string> names = Names(work);
        const std::string context = "attempt " + std::to_string(attempts) + ", kill " +
                                    std::to_string(kills + 1) + ", pid " + std::to_string(run.pid);

        if (!run.killed) {
            // Finished before its kill: a whole, clean run from the file the last one left.
            ASSERT_EQ(run.exitStatus, 0) << context << ": " << run.err;
            ASSERT_EQ(run.out, "6 11\n") << context;
            ASSERT_EQ(run.err, "") << context;
            ASSERT_EQ(names, std::vector<std::string>{kBase}) << context;
            ASSERT_TRUE(testsupport::ReadFile(base.string()) == cleanText)
                << context << ": the finished file differs from the clean run's";
            ++finished;
            fs::remove(base);
            continue;
        }

        ++kills;
        size_t keys = 0;
        if (fs::exists(base)) {
            // A kill before the run's first save leaves the file as it was, already verified.
            std::string text = testsupport::ReadFile(base.string());
            if (text != lastVerified) {
                const hardening::BaseVerdict verdict = hardening::CheckBaseFile(base);
                ASSERT_TRUE(verdict.ok) << context << ": " << verdict.report;
                ++filesVerified;
                lastVerified = std::move(text);
            }
            const std::vector<std::string> lines = Lines(lastVerified);
            ASSERT_FALSE(lines.empty()) << context;
            keys = lines.size() - 1;
            ASSERT_EQ(lines[0], std::to_string(keys)) << context;
            ASSERT_EQ(keys % 11, 0u) << context << ": " << keys << " keys";
            for (size_t i = 1; i < lines.size(); ++i) {
                ASSERT_TRUE(cleanKeys.contains(lines[i]))
                    << context << ": line " << i + 1 << " '" << lines[i]
                    << "' is not in the clean run's file";
            }
        }

        std::vector<std::string> leftovers;
        for (const std::string& name : names) {
            if (name != kBase) {
                leftovers.push_back(name);
            }
        }
        ASSERT_LE(leftovers.size(), 1u) << context << ": " << ::testing::PrintToString(names);
        if (leftovers.empty()) {
            continue;
        }
        ASSERT_TRUE(IsTemporaryOf(leftovers[0], run.pid))
            << context << ": unexpected file " << leftovers[0];
        ++killsInASave;
        const std::string text = testsupport::ReadFile((work / leftovers[0]).string());
        const std::vector<std::string> lines = Lines(text);
        if (text.find('\n') != std::string::npos) {
            const std::string more = std::to_string(keys + 11);
            const std::string fewer = keys >= 11 ? std::to_string(keys - 11) : more;
            ASSERT_TRUE(lines[0] == more || lines[0] == fewer)
                << context << ": the temporary file counts " << lines[0] << " keys, the base file "
                << keys;
        }
        // Every whole line of a key; the last line may have been cut short by the kill.
        const size_t whole =
            text.ends_with('\n') || lines.empty() ? lines.size() : lines.size() - 1;
        for (size_t i = 1; i < whole; ++i) {
            ASSERT_TRUE(cleanKeys.contains(lines[i]))
                << context << ": line " << i + 1 << " '" << lines[i]
                << "' of the temporary file is not in the clean run's file";
        }
        fs::remove(work / leftovers[0]);
    }

    // The file the last kill left, run to the end once more.
    const CliRun last = RunCli(work, scratch, std::nullopt);
    ASSERT_EQ(last.exitStatus, 0) << last.err;
    ASSERT_EQ(last.out, "6 11\n");
    ASSERT_EQ(Names(work), std::vector<std::string>{kBase});
    EXPECT_TRUE(testsupport::ReadFile((work / kBase).string()) == cleanText)
        << "the file after an uninterrupted run differs from the clean run's";

    std::cout << "kills survived: " << kills << " of " << kills << " (" << killsInASave
              << " inside a save, leaving its temporary file); runs that finished first: "
              << finished << "; files verified: " << filesVerified << "; attempts: " << attempts
              << "; clean run: " << cleanTime.count() / 1000 << " ms\n";
    RecordProperty("kills", kills);
    RecordProperty("killsInASave", killsInASave);
    RecordProperty("finishedRuns", finished);
}
