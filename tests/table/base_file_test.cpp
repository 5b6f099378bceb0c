// The base file where others can reach it: what a save replaces, sets aside and leaves alone,
// how long it may wait, and what it tells. Faults that need a second user run when the tests
// run as root (as CI does) and are skipped otherwise.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "engine/game_engine.h"
#include "engine/saved_game_file.h"
#include "files/file_layer.h"
#include "support/temp_dir.h"
#include "table/table_keys.h"

namespace {

namespace fs = std::filesystem;
using table::LoadStatus;
using testsupport::ReadFile;
using testsupport::WriteFile;
using namespace tablekeys;
using Rows = std::vector<int32_t>;

// A table of the file at `path`, loaded, whose notices go to `told`.
std::unique_ptr<PositionTable> Open(const std::string& path, std::vector<std::string>& told,
                                    files::FolderRule rule = files::FolderRule::Any) {
    auto t = std::make_unique<PositionTable>(path, rule);
    t->SetNoticeHandler([&told](const std::string& notice) { told.push_back(notice); });
    t->Load();
    return t;
}

std::string Names() {
    std::string names;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        names += entry.path().string() + " ";
    }
    return names;
}

// Runs `check` as the user nobody, in a child process; its failures fail the test.
void AsNobody(const std::function<void()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        if (dropped) {
            check();
        }
        ::_exit(dropped && !testing::Test::HasFailure() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
}

TEST(BaseFile, ReplacesOnlyTheFileItReadWhereverItsLinksPointLater) {
    testsupport::TempDir dir;
    fs::create_directory("real");
    // A name to print with care: kept UTF-8, an escape sequence, a C1 control, not UTF-8.
    const std::string real = "real/bäse\\\x1b[1m\xc2\x9b\xff.txt";
    WriteFile(real, "1\n0 1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real.substr(5), "real/l");
    fs::create_symlink("real/l", "torvelbase.txt");
    WriteFile("victim", "mine");
    for (int n = 0; n < 10; ++n) {  // links planted where a save's temporary file could go
        const std::string pid = std::to_string(::getpid());
        fs::create_symlink("../victim", real + ".tmp" + pid + "-" + std::to_string(n));
    }
    // Only names of a killed save's exact form, old enough that no save still writes them, go.
    const std::string stale[] = {real + ".tmp4194305-x1y2z3", real + ".tmp77-Aa0Bb1",
                                 real + ".tmp4194304-backup-of-my-table", real + ".tmp9-my.old",
                                 real + ".tmp-x1y2z3"};
    for (const std::string& name : stale) {
        WriteFile(name, "a save's leftovers");
        fs::last_write_time(name, fs::file_time_type::clock::now() -
                                      std::chrono::hours(&name == &stale[1] ? 0 : 1));
    }
    std::vector<std::string> told;
    auto first = Open("torvelbase.txt", told);
    EXPECT_EQ(first->GetEntryCount(), 1);
    EXPECT_FALSE(fs::exists(stale[0]));
    EXPECT_TRUE(fs::exists(stale[1]) && fs::exists(stale[2]) && fs::exists(stale[3]) &&
                fs::exists(stale[4]));
    // The link re-pointed during the run: the file read is still the one replaced.
    fs::remove("torvelbase.txt");
    fs::create_symlink("victim", "torvelbase.txt");
    InsertAll(*first, ElevenDescending());
    EXPECT_EQ(ReadFile("victim"), "mine");
    EXPECT_EQ(ReadFile(real), "12\n0 1\n" + std::string(kSorted));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    // A copy that does not parse put in its place is set aside, never written over.
    WriteFile("copy", "2\n0 1\n# my backup\n1 1 -2\n");
    fs::rename("copy", real);
    InsertAll(*first, ElevenOthers());
    EXPECT_EQ(ReadFile(real + ".damaged"), "2\n0 1\n# my backup\n1 1 -2\n");
    EXPECT_EQ(ReadFile(real).substr(0, 3), "23\n");
    EXPECT_EQ(told, std::vector<std::string>{
                        "the damaged base file 'torvelbase.txt' was set "
                        "aside as 'real/bäse\\\\\\x1b[1m\\xc2\\x9b\\xff.txt.damaged'"});
    EXPECT_TRUE(first->Sync());
    EXPECT_TRUE(first->Save());
    fs::remove(real);
    fs::create_directory(real);
    EXPECT_FALSE(first->Sync()) << "the file saved is gone";
    EXPECT_EQ(told.size(), 2u);
}

TEST(BaseFile, TwoRunsThatFoundOneFileDamagedSetOnlyThatFileAside) {
    testsupport::TempDir dir;
    WriteFile("torvelbase.txt", "3\n0 1\n");
    std::vector<std::string> told;
    auto first = Open("torvelbase.txt", told), second = Open("torvelbase.txt", told);
    InsertAll(*first, ElevenDescending());
    InsertAll(*second, ElevenOthers());
    EXPECT_EQ(ReadFile("torvelbase.txt.damaged"), "3\n0 1\n");
    EXPECT_EQ(ReadFile("torvelbase.txt").substr(0, 3), "22\n") << "the good file's keys joined";
    EXPECT_FALSE(fs::exists("torvelbase.txt.damaged.2"));
}

// Whatever is at the name that this run may not replace is left exactly as it is, and told once:
// what is not a regular file, a file the user may not read or write, a link someone else made in
// a shared folder (pointing at a file of the user's, or at nothing), a folder not the user's own.
TEST(BaseFile, WhatItMayNotReplaceIsLeftAsItIsAndToldOnce) {
    testsupport::TempDir dir;
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    sockaddr_un address{AF_UNIX, "socket"};
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    fs::create_directory("folder");
    fs::create_symlink("loop", "loop");
    WriteFile("read-only", "1\n0 1\n");
    fs::permissions("read-only", fs::perms::owner_read | fs::perms::group_read);
    WriteFile("unreadable", "1\n0 1\n");
    fs::permissions("unreadable", fs::perms::owner_write);
    fs::create_directories("data/torvel");
    fs::permissions("data/torvel", fs::perms::all);
    WriteFile("notes.txt", "my notes");
    std::vector<std::pair<std::string, const char*>> cases = {
        {"fifo", "is not a regular file"},
        {"socket", "is not a regular file"},
        {"folder", "is not a regular file"},
        {"loop", "(Too many levels of symbolic links)"},
        {"read-only", "is read-only"},
        {"data/torvel/torvelbase.txt", "'data/torvel' of the base file is not yours alone"}};
    if (::geteuid() == 0) {  // the faults that need a second user
        ASSERT_EQ(::mknod("device", S_IFCHR | 0666, ::makedev(1, 3)), 0);  // as /dev/null
        fs::create_directory("tmp");
        fs::permissions("tmp", fs::perms::all | fs::perms::sticky_bit);
        fs::create_symlink("../notes.txt", "tmp/torvelbase.txt");
        fs::create_symlink("../planted.txt", "tmp/dangling.txt");
        for (const char* link : {"tmp/torvelbase.txt", "tmp/dangling.txt"}) {
            ASSERT_EQ(::lchown(link, 4242, 4242), 0);
            cases.push_back({link, "is a link that another user made in a shared folder"});
        }
        cases.push_back({"device", "is not a regular file"});
        fs::permissions(".", fs::perms::all);
        fs::create_directory("closed");  // another user's folder, open to read
        fs::permissions("closed",
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    }
    auto leftAlone = [](const std::string& name, const char* reason) {
        std::vector<std::string> told;
        auto t =
            Open(name, told,
                 name.starts_with("data/") ? files::FolderRule::Private : files::FolderRule::Any);
        InsertAll(*t, ElevenDescending());
        EXPECT_FALSE(t->Save()) << name;
        ASSERT_EQ(told.size(), 1u) << name;
        EXPECT_NE(told[0].find(reason), std::string::npos) << told[0];
    };
    const std::string before = Names();
    for (const auto& [name, reason] : cases) {
        leftAlone(name, reason);
    }
    // A file the user may not read is no damaged file: another member's, in a folder they share.
    ::geteuid() == 0 ? AsNobody([&] { leftAlone("unreadable", "(Permission denied)"); })
                     : leftAlone("unreadable", "(Permission denied)");
    if (::geteuid() == 0) {  // nothing is saved into a folder the user may not write
        AsNobody([] {
            files::Location there;
            EXPECT_TRUE(there.Resolve("closed/game.tor").Done());
            EXPECT_EQ(there.CheckWritable().error, EACCES);
        });
    }
    EXPECT_EQ(Names(), before);
    EXPECT_TRUE(fs::is_fifo("fifo") && fs::is_socket("socket") && fs::is_symlink("loop"));
    EXPECT_TRUE(fs::is_empty("data/torvel") && !fs::exists("planted.txt"));
    fs::permissions("unreadable", fs::perms::owner_read);
    EXPECT_EQ(ReadFile("read-only") + ReadFile("unreadable") + ReadFile("notes.txt"),
              "1\n0 1\n1\n0 1\nmy notes");
    ::close(listening);
}

TEST(BaseFile, NoOneHoldingTheLockStopsARunWhateverTheFolderAllows) {
    testsupport::TempDir dir;
    fs::create_directory("shared");
    WriteFile("shared/torvelbase.txt", "1\n0 1\n");
    std::vector<std::string> told;
    auto t = Open("shared/torvelbase.txt", told);
    fs::permissions("shared", fs::perms::owner_write | fs::perms::owner_exec);
    // Someone else holds every lock there is to hold, for as long as they like.
    const int folder = ::open("shared", O_RDONLY | O_DIRECTORY);  // only root may, now
    const int file = ::open("shared/torvelbase.txt", O_RDONLY);
    ::flock(folder, LOCK_EX);
    ::flock(file, LOCK_EX);
    ::alarm(30);  // a run that waits without end is killed, and the test with it
    InsertAll(*t, ElevenDescending());
    InsertAll(*t, ElevenOthers());
    EXPECT_EQ(ReadFile("shared/torvelbase.txt"), "1\n0 1\n");
    EXPECT_EQ(t->GetStats().failedSaves, 2u);
    EXPECT_EQ(told.size(), 1u);
    ::close(file);
    EXPECT_TRUE(t->Save());
    EXPECT_EQ(ReadFile("shared/torvelbase.txt").substr(0, 3), "23\n") << "nothing was lost";
    // Two programs saving at once, each its own game, lose none of the keys either merged.
    const pid_t other = ::fork();
    auto mine = std::make_shared<PositionTable>("shared/torvelbase.txt");
    mine->Load();
    engine::GameEngine game(mine);
    game.SetRows(other == 0 ? Rows{1, 3, 5, 7, 9} : Rows{2, 4, 6, 8, 10, 0, 1});
    game.ChooseMove();
    std::ofstream merged(other == 0 ? "a.keys" : "b.keys");
    for (const PositionKey& key : mine->GetEntries()) {
        merged << reference::Text(key);
    }
    merged.close();
    if (other == 0) {
        ::_exit(0);
    }
    ::waitpid(other, nullptr, 0);
    ::alarm(0);
    const std::string saved = ReadFile("shared/torvelbase.txt");
    std::istringstream lines(ReadFile("a.keys") + ReadFile("b.keys"));
    for (std::string line; std::getline(lines, line);) {
        ASSERT_NE(saved.find("\n" + line + "\n"), std::string::npos) << line;
    }
    PositionTable whole("shared/torvelbase.txt");  // the count line counts every key there
    EXPECT_EQ(whole.Load(), LoadStatus::Loaded);
    ::close(folder);
}

}  // namespace
