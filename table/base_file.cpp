#include "table/base_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/failure_text.h"
#include "text/translation.h"

namespace table {

using files::Descriptor;
using files::FailureText;
using files::FileOutcome;
using files::FileResult;
using files::FileStamp;
using files::FolderRule;
using files::Location;
using files::LockWithin;
using files::OpenFile;
using files::ReadAll;
using files::Sameness;
using files::StampOf;
using files::WriteFunction;
using text::Fill;
using text::Tr;
namespace {

using Clock = std::chrono::steady_clock;

// Notices told at most once a run.
enum Told : unsigned {
    kToldDamaged = 1,
    kToldUnreadable = 2,
    kToldReadOnly = 4,
    kToldSaveFailed = 8,
    kToldLockMissed = 16,
    kToldStopped = 32,
    kToldSyncFailed = 64,
};

}  // namespace

BaseFile::BaseFile(std::string basePath, FolderRule folderRule, Notice tell)
    : path(std::move(basePath)), rule(folderRule), notice(std::move(tell)) {}

std::string BaseFile::Shown() const {
    return text::Quoted(text::Quotes::Single, path);
}

void BaseFile::Tell(unsigned kind, const std::string& text) {
    if ((told & kind) == 0 && notice) {
        notice(text);
    }
    told |= kind;
}

void BaseFile::StopSaving(unsigned kind, const std::string& text) {
    savesOff = true;
    Tell(kind, text);
}

void BaseFile::Resolve() {
    resolved = true;
    resolving = where.Resolve(path, rule);
}

Sameness BaseFile::Compare(const Location& other) {
    if (path.empty()) {
        return Sameness::Different;
    }
    if (!resolved) {
        Resolve();
    }
    if (resolving.outcome == FileOutcome::Missing) {
        return Sameness::Different;  // no folder: this run saves nothing anywhere
    }
    return resolving.Done() ? files::Compare(where, other) : Sameness::Unknown;
}

BaseFileContents BaseFile::Load() {
    BaseFileContents contents;
    if (path.empty()) {
        return contents;
    }
    savesOff = lockMissed = unsynced = false;
    known = FileStamp{};
    told = 0;
    if (!resolved) {
        Resolve();  // once a run: later steps act on what was resolved first
    }
    if (resolving.outcome == FileOutcome::Missing) {
        return contents;  // no folder: saves will say why they fail
    }
    contents.status = LoadStatus::Unreadable;
    if (resolving.outcome == FileOutcome::LinkRefused) {
        contents.problem.what = Tr("a link that another user made in a shared folder");
        StopSaving(kToldUnreadable,
                   Fill(Tr("the base file %1 is a link that another user made in a shared folder: "
                           "it is not followed, and the positions found in this run are not kept"),
                        {Shown()}));
        return contents;
    }
    if (resolving.outcome == FileOutcome::NotPrivate) {
        contents.problem.what = Tr("its folder is not the user's own, or others may write to it");
        StopSaving(
            kToldUnreadable,
            Fill(Tr("the folder '%1' of the base file is not yours alone: it is not used, and "
                    "the positions found in this run are not kept"),
                 {text::EscapedName(files::FolderOf(path))}));
        return contents;
    }
    if (resolving.Done()) {
        where.SweepTemporaries(kStaleAge);
    }
    OpenFile found;
    std::string text;
    FileResult read = resolving.Done() ? where.OpenRegular(found) : resolving;
    if (read.outcome == FileOutcome::Missing) {
        contents.status = LoadStatus::Missing;
        return contents;
    }
    read = read.Done() ? ReadAll(found.fd.Get(), kMaxBaseFileBytes, text) : read;
    if (!read.Done() && read.outcome != FileOutcome::TooLarge) {
        const bool notRegular = read.outcome == FileOutcome::NotRegular;
        contents.problem.what = FailureText(read, files::Wording::Phrase);
        StopSaving(kToldUnreadable,
                   notRegular ? Fill(Tr("the base file %1 is not a regular file: it is left as it "
                                        "is, and the positions found in this run are not kept"),
                                     {Shown()})
                              : Fill(Tr("the base file %1 cannot be read (%2): it is left as it "
                                        "is, and the positions found in this run are not kept"),
                                     {Shown(), contents.problem.what}));
        return contents;
    }
    contents = read.Done()
                   ? ParseBaseFile(text)
                   : BaseFileContents{
                         LoadStatus::Damaged, {}, {}, {1, Tr("the file is larger than any table")}};
    if (contents.status == LoadStatus::Damaged) {
        Tell(kToldDamaged, Fill(Tr("the base file %1 is damaged (line %2: %3); starting with an "
                                   "empty table"),
                                {Shown(), contents.problem.line, contents.problem.what}));
    } else {
        known = StampOf(found.info);
    }
    if (where.IsReadOnly(found.info)) {
        StopSaving(kToldReadOnly, Fill(Tr("the base file %1 is read-only: its positions are "
                                          "used, and new ones are not kept"),
                                       {Shown()}));
    }
    return contents;
}

FileResult BaseFile::SetAside(const OpenFile& found) {
    for (int n = 1; n < 1000; ++n) {
        std::string suffix = ".damaged";
        if (n > 1) {
            suffix += '.';
            suffix += std::to_string(n);
        }
        const std::string aside = where.Name() + suffix;
        // Only the file found damaged is set aside; another put there meanwhile goes back.
        const FileResult renamed = where.RenameTo(aside, found.info);
        if (renamed.outcome == FileOutcome::Taken) {
            continue;
        }
        if (!renamed.Done()) {
            return renamed;
        }
        if (notice) {
            notice(Fill(Tr("the damaged base file %1 was set aside as '%2'"),
                        {Shown(), text::EscapedName(where.Shown() + suffix)}));
        }
        return {};
    }
    return {FileOutcome::Failed, EEXIST};
}

BaseFile::Step BaseFile::SaveOnce(const Absorb& absorb, const Text& text,
                                  const WriteFunction& write, FileResult& failure) {
    OpenFile found;
    failure = where.OpenRegular(found);
    if (failure.outcome == FileOutcome::Missing) {
        const auto [head, body] = text();
        failure = where.Replace(nullptr, head, body, write, known);
        // Another program made one meanwhile: it is read first.
        return failure.Done()                          ? Step::Saved
               : failure.outcome == FileOutcome::Taken ? Step::Again
                                                       : Step::Failed;
    }
    if (failure.outcome == FileOutcome::NotRegular) {
        StopSaving(kToldStopped, Fill(Tr("the base file %1 was replaced by something that is not "
                                         "a regular file; nothing more is saved in this run"),
                                      {Shown()}));
        return Step::Held;
    }
    if (!failure.Done()) {
        return Step::Failed;
    }
    if (!LockWithin(found.fd.Get(), Clock::now() + (lockMissed ? Clock::duration(0) : kLockWait))) {
        lockMissed = true;
        Tell(kToldLockMissed,
             Fill(Tr("the base file %1 is locked by another program; the "
                     "positions found are kept in memory until a save can have it"),
                  {Shown()}));
        return Step::Held;
    }
    lockMissed = false;
    if (!where.Holds(found.info) || ::fstat(found.fd.Get(), &found.info) != 0) {
        return Step::Again;  // replaced while this run waited: look again
    }
    if (!(StampOf(found.info) == known)) {
        std::string old;
        failure = ReadAll(found.fd.Get(), kMaxBaseFileBytes, old);
        if (!failure.Done() && failure.outcome != FileOutcome::TooLarge) {
            return Step::Failed;
        }
        const BaseFileContents contents = failure.Done() ? ParseBaseFile(old) : BaseFileContents{};
        if (failure.Done() && contents.status == LoadStatus::Loaded) {
            absorb(contents.keys);
        } else {
            failure = SetAside(found);
            if (!failure.Done() && failure.outcome != FileOutcome::Changed) {
                StopSaving(kToldStopped, Fill(Tr("the damaged base file %1 could not be set aside "
                                                 "(%2); nothing is saved in this run"),
                                              {Shown(), files::SystemText(failure.error)}));
                return Step::Held;
            }
            return Step::Again;  // set aside: a new file is made next
        }
    }
    const auto [head, body] = text();
    failure = where.Replace(&found.info, head, body, write, known);
    return failure.Done()                            ? Step::Saved
           : failure.outcome == FileOutcome::Changed ? Step::Again
                                                     : Step::Failed;
}

bool BaseFile::Save(const Absorb& absorb, const Text& text, const WriteFunction& write) {
    if (path.empty()) {
        return true;
    }
    if (!resolved) {
        Resolve();
    }
    if (savesOff) {
        return false;
    }
    FileResult failure = resolving;
    Step step = resolving.Done() ? Step::Again : Step::Failed;
    for (int attempt = 0; step == Step::Again && attempt < 64; ++attempt) {
        step = SaveOnce(absorb, text, write, failure);
    }
    if (step == Step::Saved) {
        unsynced = true;
        return true;
    }
    if (step != Step::Held) {
        const std::string why = step == Step::Again  ? files::SystemText(EAGAIN)
                                : failure.error != 0 ? files::SystemText(failure.error)
                                                     : FailureText(failure);
        Tell(kToldSaveFailed, Fill(Tr("the base file %1 could not be saved (%2); positions found "
                                      "from now on are not kept"),
                                   {Shown(), why}));
    }
    return false;
}

bool BaseFile::Sync() {
    if (!unsynced) {
        return true;
    }
    unsynced = false;
    OpenFile found;
    const FileResult opened = where.OpenRegular(found);
    if (opened.Done() && !(StampOf(found.info) == known)) {
        return true;  // someone else's file by now: nothing of this run's to make durable
    }
    int error = opened.Done() && ::fsync(found.fd.Get()) != 0 ? errno : opened.error;
    if (opened.Done() && error == 0) {
        // The folder entry too; a folder that may not be read is reached through the file system.
        const Descriptor list(::openat(where.Folder(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        const bool synced =
            list.Get() >= 0 ? ::fsync(list.Get()) == 0 : ::syncfs(found.fd.Get()) == 0;
        error = synced ? 0 : errno;
    }
    if (opened.Done() && error == 0) {
        return true;
    }
    Tell(kToldSyncFailed,
         Fill(Tr("the base file %1 could not be made safe on disk (%2)"),
              {Shown(), opened.outcome == FileOutcome::NotRegular
                            ? Tr("it was replaced by something that is not a regular file")
                            : files::SystemText(error)}));
    return false;
}

FileResult ReadBaseText(const std::string& path, std::string& text) {
    text.clear();
    Location where;
    FileResult result = where.Resolve(path);
    if (result.outcome == FileOutcome::LinkRefused) {
        return {FileOutcome::NotRegular};
    }
    OpenFile file;
    result = result.Done() ? where.OpenRegular(file) : result;
    return result.Done() ? ReadAll(file.fd.Get(), kMaxBaseFileBytes, text) : result;
}

}  // namespace table
