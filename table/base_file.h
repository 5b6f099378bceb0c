// The base file on disk: where it is, when it may be read and when replaced, and what a run
// tells its user. The base file is the one thing the program keeps of its user, and its folder
// may be shared with people who wish that user harm (/tmp, a group's folder, a volume that two
// containers share), so every rule about it is here.
//
// Resolve once. `Load` resolves the path to a folder, held open, and a name in it, and every
// later save, sync and set-aside acts on that folder and name: a link re-pointed during the run
// changes nothing. A symbolic link at the name is followed only where the system itself would
// let the user follow it: never a link in a sticky, world-writable folder (/tmp) that neither the
// user nor the folder's owner made. A refused link, a loop of links, a name that is not a regular
// file (a folder, a pipe, a socket, a device) and a file the user may not read are left exactly
// as they are: the run keeps its positions in memory only. A file the user may not write is used
// and never replaced.
//
// Replace only what was read. A save takes the lock of the file at the name and looks at it: the
// file this run last read or wrote is replaced; a file that changed since is read first, and its
// keys join the table; one that then does not parse is set aside (NAME.damaged, .damaged.2, ...),
// and only when it is the very file read (device and inode). Where no file is, one is created
// exclusively; a file that appears meanwhile is read first. The new text goes to a temporary
// file beside the old (NAME.tmpPID-XXXXXX, created exclusively, with the old file's mode), which
// takes the old one's place in one exchange; should the file it displaced not be the one read,
// the exchange is undone and the save starts over. A killed process leaves the old file or the
// new one whole; `Sync` makes that hold for a power loss too. Anything else found at the name
// when saving (a link, a pipe, a folder) makes the run save nothing more.
//
// No wait without end. Every open of the name is non-blocking and checked with fstat before the
// file is read, synced or replaced; no pipe or device is ever opened. Programs that share a file
// save one at a time under an advisory lock on the file itself, which needs no right on the
// folder; a save that cannot have the lock within kLockWait is skipped, and until one succeeds
// the next ones try once without waiting, so no one holding the lock stops a run for long.
//
// Temporary files of killed runs are removed at load: only names exactly of the temporary's
// form, regular files of the user's, untouched for kStaleAge (a save lasts milliseconds),
// whatever process ids other PID namespaces use.
//
// Told once. Everything a user should know goes once to the notice callback, with every name
// that came from the file system escaped (`EscapedName`).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "table/base_text.h"

namespace table {

inline constexpr std::chrono::milliseconds kLockWait{1500};
inline constexpr std::chrono::minutes kStaleAge{10};

// Which file a name stood for and how it stood, to tell whether someone changed it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;         // -1: no file
    long long modified = 0;  // nanoseconds
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Writes all of `data` to an open file descriptor; false on any failure, with errno set.
using WriteFunction = std::function<bool(int fd, std::string_view data)>;
bool WriteAll(int fd, std::string_view data);

// A name from the file system as it may be printed: control characters (C0, DEL, C1), bytes
// that are not UTF-8 and the backslash written as \xNN or \\.
std::string EscapedName(std::string_view name);

// Where the folder of the base file must be: any folder, or one of the user's own that no one
// else may write to (the user's data folder).
enum class FolderRule { Any, Private };

class BaseFile {
  public:
    using Notice = std::function<void(const std::string&)>;

    // An empty path means no file: loads find nothing and saves write nothing.
    BaseFile(std::string path, FolderRule rule, Notice notice);
    ~BaseFile();
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
    bool Save(const Absorb& absorb, const Text& text, const WriteFunction& write);
    // Makes the last save reach the disk; true when there is nothing to make durable.
    bool Sync();

  private:
    struct Found;
    int Resolve();
    bool SaveOnce(Found& found, const Absorb& absorb, const Text& text, const WriteFunction& write,
                  int& error);
    int SetAside(Found& found);
    void SweepTemporaries() const;
    void Tell(int kind, const std::string& text);
    void StopSaving(int kind, const std::string& text);
    std::string Shown() const;  // the path as given, quoted and escaped

    std::string path;
    FolderRule rule;
    Notice notice;
    int folder = -1;        // the resolved folder, open
    std::string name;       // the resolved name in it
    std::string shownName;  // the resolved name as a path, for messages
    bool resolved = false;
    bool savesOff = false;
    bool lockMissed = false;  // the last save could not have the lock: do not wait for it again
    bool unsynced = false;
    FileStamp known;    // the file as this run last read or wrote it; none after damage
    unsigned told = 0;  // the kinds of notice told
};

// Reads the regular file at `path`, resolved as `BaseFile::Load` does, without changing
// anything: 0, or ENOENT when there is none, ENODEV when it is not a regular file (or a link the
// system would not follow), EFBIG when it is larger than any table, or the errno of the failure.
int ReadBaseText(const std::string& path, std::string& text);

// The path as `BaseFile::Load` would resolve it, for comparing names; `path` when it cannot.
std::string ResolvedPath(const std::string& path);

// Replaces the file at `path` (a link followed where the system would) with `head` followed by
// `body`, through a temporary file beside it; 0, or the errno of the failure, in which case the
// old file is left as it was and no temporary file remains. Only a regular file is replaced.
int ReplaceFile(const std::string& path, std::string_view head, std::string_view body,
                FileStamp& stamp, const WriteFunction& write = WriteAll);

}  // namespace table
