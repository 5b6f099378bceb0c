// The base file on disk: when it may be read and when replaced, and what a run tells its user.
// The base file is the one thing the program keeps of its user, and its folder may be shared
// with people who wish that user harm (/tmp, a group's folder, a volume that two containers
// share). How any file of the user's is resolved, opened, read and replaced is the file layer's
// (file_layer.h); the rules here are the base file's own.
//
// Resolve once. `Load` resolves the path, and every later save, sync and set-aside acts on the
// folder and name resolved then. A refused link, a loop of links, a name that is not a regular
// file and a file the user may not read are left exactly as they are: the run keeps its
// positions in memory only. A file the user may not write is used and never replaced.
//
// Replace only what was read. A save takes the lock of the file at the name and looks at it: the
// file this run last read or wrote is replaced; a file that changed since is read first, and its
// keys join the table; one that then does not parse is set aside (NAME.damaged, .damaged.2, ...),
// and only when it is the very file read (device and inode). Where no file is, one is created;
// a file that appears meanwhile is read first. Should the file an exchange displaced not be the
// one read, the save starts over. `Sync` makes the last save hold for a power loss too. Anything
// else found at the name when saving (a link, a pipe, a folder) makes the run save nothing more.
//
// No wait without end. Programs that share a file save one at a time under an advisory lock on
// the file itself, which needs no right on the folder; a save that cannot have the lock within
// kLockWait is skipped, and until one succeeds the next ones try once without waiting, so no one
// holding the lock stops a run for long.
//
// Temporary files of killed runs are removed at load: only names exactly of the temporary's
// form, regular files of the user's, untouched for kStaleAge (a save lasts milliseconds),
// whatever process ids other PID namespaces use.
//
// Told once. Everything a user should know goes once to the notice callback, with every name
// that came from the file system escaped (`EscapedName`).
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_layer.h"
#include "table/base_text.h"
#include "text/escaped_name.h"

namespace table {

inline constexpr std::chrono::milliseconds kLockWait{1500};
inline constexpr std::chrono::minutes kStaleAge{10};

class BaseFile {
  public:
    using Notice = std::function<void(const std::string&)>;

    // An empty path means no file: loads find nothing and saves write nothing.
    BaseFile(std::string path, files::FolderRule rule, Notice notice);
    BaseFile(const BaseFile&) = delete;
    BaseFile& operator=(const BaseFile&) = delete;

    const std::string& Path() const { return path; }

    // Resolves the path and reads the file there, after removing what killed runs left.
    BaseFileContents Load();

    // What a save writes, asked once the keys of a changed file have joined the table.
    using Absorb = std::function<void(const std::vector<PositionKey>&)>;
    using Text = std::function<std::pair<std::string, std::string_view>()>;
    // Replaces the file with head and body of `text()`; true when written. Otherwise the file
    // is as it was, and the reason has been told (once).
    bool Save(const Absorb& absorb, const Text& text, const files::WriteFunction& write);
    // Makes the last save reach the disk; true when there is nothing to make durable.
    bool Sync();

    // Whether `other` reaches the file this run saves (or would create): Different when there
    // is no base file, or its folder does not exist.
    files::Sameness Compare(const files::Location& other);

  private:
    enum class Step { Saved, Again, Failed, Held };
    void Resolve();
    Step SaveOnce(const Absorb& absorb, const Text& text, const files::WriteFunction& write,
                  files::FileResult& failure);
    files::FileResult SetAside(const files::OpenFile& found);
    void Tell(unsigned kind, const std::string& text);
    void StopSaving(unsigned kind, const std::string& text);
    std::string Shown() const;  // the path as given, quoted and escaped

    std::string path;
    files::FolderRule rule;
    Notice notice;
    files::Location where;
    files::FileResult resolving{
        files::FileOutcome::Failed};  // how the path resolved; Failed before it did
    bool resolved = false;
    bool savesOff = false;
    bool lockMissed = false;  // the last save could not have the lock: do not wait for it again
    bool unsynced = false;
    files::FileStamp known;  // the file as this run last read or wrote it; none after damage
    unsigned told = 0;       // the kinds of notice told
};

// Reads the regular file at `path`, resolved as `BaseFile::Load` does, without changing
// anything: Done, Missing, NotRegular (or a link that is not followed), TooLarge, or Failed.
files::FileResult ReadBaseText(const std::string& path, std::string& text);

}  // namespace table
