// The file layer: every file that a user keeps or names (the base file, saved games) is read
// and written through it, as if another user of the machine were hostile.
//
// Resolve once. A path becomes a folder, held open, and a name in it (`Location`); every later
// step acts on that folder and name, so a link re-pointed meanwhile changes nothing. A symbolic
// link is followed only where the system itself would let the user follow it: never a link in
// a sticky, world-writable folder (/tmp) that neither the user nor the folder's owner made.
//
// Open without following and without blocking. Only a regular file is ever opened, never
// through a link and never waiting (O_NOFOLLOW | O_NONBLOCK), and it is checked with fstat
// before it is read; no pipe or device is ever opened, so none can hold a run.
//
// Read through the descriptor, never more than the reader's bound.
//
// Replace only what was read, atomically, beside it. The new text goes to a temporary file
// beside the old one (NAME.tmpPID-XXXXXX, created exclusively under a name hard to foresee,
// with the old file's mode), which takes the old one's place in one exchange; should the file
// it displaced not be the one expected, the exchange is undone. Where no file is expected, the
// new one is put in place only if the name is still free. A killed process leaves the old file
// or the new one whole.
//
// Identity by device and inode, never by name. Waits are bounded. Outcomes that steer the
// callers are named (`FileOutcome`); the system's errno is kept only for the words of a failure.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace files {

enum class FileOutcome {
    Done,
    Missing,      // no file at the name, or no folder on the way
    NotRegular,   // a folder, a pipe, a socket, a device, or a name that ends in a slash
    LinkRefused,  // a link that another user made in a shared folder
    NotPrivate,   // the folder is not the user's alone
    TooLarge,     // more bytes than the reader takes
    Changed,      // the file at the name is not the one expected
    Taken,        // a file appeared where a new one was to be made
    ReadOnly,     // a file the user made read-only: used, never replaced
    Failed,       // the system refused: `error` says why
};

struct FileResult {
    FileOutcome outcome = FileOutcome::Done;
    int error = 0;  // the errno of a failure
    bool Done() const { return outcome == FileOutcome::Done; }
};

// The folder a path names its file in: "." for a bare name, "/" for one in the root.
std::string FolderOf(const std::string& path);

// Where the folder of a file must be: any folder, or one of the user's own that no one else may
// write to (the user's data folder).
enum class FolderRule { Any, Private };

// Which file a name stood for and how it stood, to tell whether someone changed it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;         // -1: no file
    long long modified = 0;  // nanoseconds
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOf(const struct stat& info);

// An open file descriptor, closed with the object.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int open) : fd(open) {}
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept : fd(other.Release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    int Get() const { return fd; }
    int Release();

  private:
    int fd = -1;
};

// A regular file opened to read, with what fstat said of it.
struct OpenFile {
    Descriptor fd;
    struct stat info {};
};

// Writes all of `data` to an open file descriptor; false on any failure, with errno set.
using WriteFunction = std::function<bool(int fd, std::string_view data)>;
bool WriteAll(int fd, std::string_view data);

// Reads the whole file, at most `limit` + 1 bytes of it: TooLarge (with those bytes in `text`)
// when there are more than `limit`.
FileResult ReadAll(int fd, size_t limit, std::string& text);

// Waits for the file's lock until `deadline`; true when held, or when the file system has none.
bool LockWithin(int fd, std::chrono::steady_clock::time_point deadline);

// A path resolved once: the folder it lies in, held open, and the name in it.
class Location {
  public:
    // Resolves `path` (see the rules above). Missing when a folder on the way is missing;
    // NotRegular for a path that ends in a slash or names a folder; LinkRefused; NotPrivate when
    // `rule` refuses the folder; Failed for a loop of links or any other refusal.
    FileResult Resolve(const std::string& path, FolderRule rule = FolderRule::Any);
    bool Resolved() const { return folder.Get() >= 0; }
    int Folder() const { return folder.Get(); }
    const std::string& Name() const { return name; }
    // The path as resolved, the links followed, for messages.
    const std::string& Shown() const { return shown; }

    // What is at the name now, not followed: Done with its stat, Missing, or Failed.
    FileResult Look(struct stat& info) const;
    // Whether the regular file `info` describes, at the name, is read-only: all its write bits
    // off, or the user may not write it. Root and every other user are treated alike.
    bool IsReadOnly(const struct stat& info) const;
    // Whether a save may put a file at the name: ReadOnly for a read-only file there, Failed
    // (with the system's reason) for a folder the user may not write in, else Done.
    FileResult CheckWritable() const;
    // Opens the regular file at the name to read: Missing, NotRegular, or Failed.
    FileResult OpenRegular(OpenFile& file) const;
    // Puts `head` then `body` at the name through a temporary file beside it: in place of
    // `old`, which must be the file displaced (else Changed, and the old file is put back), or
    // where no file is (else Taken). `stamp` is then the new file's. On any failure the old
    // file is as it was and no temporary file remains.
    FileResult Replace(const struct stat* old, std::string_view head, std::string_view body,
                       const WriteFunction& write, FileStamp& stamp) const;
    // Whether the name still stands for the file `info` describes (device and inode).
    bool Holds(const struct stat& info) const;
    // Renames the file at the name to `to` in the same folder, unless `to` is taken (Taken).
    // Should the file moved not be `expected` (another was put there meanwhile), it is put back
    // and the result is Changed.
    FileResult RenameTo(const std::string& to, const struct stat& expected) const;
    // Removes what killed runs left beside the name: regular files of the user's whose names
    // have exactly the temporary's form, untouched for `age`.
    void SweepTemporaries(std::chrono::seconds age) const;

  private:
    Descriptor folder;
    std::string name;
    std::string shown;
};

// Runs `hook` between looking at a name and opening it, until another or none is set: tests
// put another thing there meanwhile, as a hostile user could.
void SetBeforeOpen(std::function<void()> hook);

// Whether two resolved names reach one file: the same name in the same folder, or one file
// (device and inode) under both names. Unknown when either cannot be looked at.
enum class Sameness { Same, Different, Unknown };
Sameness Compare(const Location& a, const Location& b);

}  // namespace files
