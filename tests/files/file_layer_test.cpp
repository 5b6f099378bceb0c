// The file layer where others can reach its files: nothing but a regular file is opened, links go
// only as far as the system would follow them, no read passes its bound, and a file is known by
// its device and inode.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/saved_game_file.h"
#include "files/failure_text.h"
#include "files/file_layer.h"
#include "support/temp_dir.h"
#include "table/base_file.h"

namespace {

namespace fs = std::filesystem;
using testsupport::WriteFile;

// Nothing but a regular file is opened, whatever is put at the name after it was looked at;
// links are followed as far as the system would follow them; no read goes past its bound; one
// file is told by its device and inode, whatever names reach it.
TEST(FileLayer, OpensOnlyRegularFilesAndReadsWithinItsBound) {
    testsupport::TempDir dir;
    WriteFile("file", "mine");
    WriteFile("other", "theirs");
    for (std::string last = "file", link = "l"; link.size() <= 41; last = link, link += 'l') {
        fs::create_symlink(last, link);  // a chain of links, each to the one before
    }
    files::Location where, alias;
    EXPECT_TRUE(where.Resolve(std::string(40, 'l')).Done() && where.Name() == "file");
    EXPECT_EQ(where.Resolve(std::string(41, 'l')).error, ELOOP);
    ASSERT_TRUE(where.Resolve("file").Done());
    ::alarm(10);  // a pipe waited on for a writer kills the test
    for (const bool pipe : {true, false}) {
        fs::remove("file");
        WriteFile("file", "mine");  // a regular file where it looks, something else by the open
        files::SetBeforeOpen([pipe] {
            fs::remove("file");
            pipe ? void(::mkfifo("file", 0600)) : fs::create_symlink("other", "file");
        });
        files::OpenFile opened;
        EXPECT_EQ(where.OpenRegular(opened).outcome, files::FileOutcome::NotRegular);
    }
    files::SetBeforeOpen({});
    ::alarm(0);
    fs::remove("file");
    WriteFile("file", "mine");
    fs::create_hard_link("file", "hard");
    for (const char* name : {"hard", "none", "other"}) {  // one file under two names; others
        EXPECT_TRUE(alias.Resolve(name).Done());
        EXPECT_EQ(files::Compare(where, alias) == files::Sameness::Same, name[0] == 'h') << name;
    }
    fs::create_symlink("nowhere/file", "dangling");  // into a folder that is not there
    EXPECT_EQ(alias.Resolve("dangling").outcome, files::FileOutcome::Missing);
    fs::create_symlink("file/file", "through");  // through a file: the system's own error
    EXPECT_EQ(alias.Resolve("through").error, ENOTDIR);
    struct stat theirs {};  // a rename that finds another file than the one meant puts it back
    ASSERT_EQ(::stat("other", &theirs), 0);
    EXPECT_EQ(where.RenameTo("file.aside", theirs).outcome, files::FileOutcome::Changed);
    EXPECT_TRUE(fs::exists("file") && !fs::exists("file.aside"));
    // The words of a failure, as a clause, a phrase and the system's own.
    using files::FileOutcome;
    using files::Wording;
    const std::tuple<files::FileResult, Wording, std::string> words[] = {
        {{FileOutcome::Missing}, Wording::Clause, "no such file"},
        {{FileOutcome::Missing}, Wording::System, std::strerror(ENOENT)},
        {{FileOutcome::NotRegular}, Wording::Phrase, "not a regular file"},
        {{FileOutcome::ReadOnly}, Wording::System, "it is read-only"},
        {{FileOutcome::Failed, EPERM}, Wording::Clause, std::strerror(EPERM)},
        {{FileOutcome::Failed, EPERM}, Wording::Phrase, std::strerror(EPERM)},
        {{FileOutcome::Failed, 0}, Wording::System, std::strerror(EIO)}};
    for (const auto& [result, wording, said] : words) {
        EXPECT_EQ(files::FailureText(result, wording), said) << said;
    }
    // A file far larger than any the program writes (sparse: it takes no room) is refused
    // after a read of its bound.
    WriteFile("huge", "Torvel saved game, version 1\n");
    fs::resize_file("huge", uintmax_t(1) << 40);
    std::string text;
    EXPECT_EQ(table::ReadBaseText("huge", text).outcome, files::FileOutcome::TooLarge);
    EXPECT_EQ(text.size(), table::kMaxBaseFileBytes + 1);
    engine::SavedGameFile game;
    const engine::SavedGameFile::Opened opened = game.Open("huge");
    EXPECT_EQ(opened.content, engine::SavedGameFile::Content::Damaged);
    EXPECT_EQ(opened.reading.problem, "the file is larger than any saved game");
}

}  // namespace
