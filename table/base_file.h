// Reading and writing the base file, `torvelbase.txt`: a count line, then one key per line in
// the table's ascending order ("3 1 0 1 -4"), every line ended by '\n'.
//
// Reading takes a file only when it meets the table's invariants; anything else is reported as
// damaged with the first problem and its line, and nothing is sized by an unchecked number. A
// file is opened first and then looked at, so what is read is what was checked: a pipe or a
// folder counts as no file, and one larger than the largest table is damaged unread.
//
// Writing goes to a temporary file beside the target (through a symbolic link, beside the file
// it names), created under a name no one can foresee and never through an existing name, with
// the target's mode; it then takes the target's place in one step. A killed process therefore
// leaves the old file or the new one whole; only a sync (`SyncFile`) makes that hold for a power
// loss too.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "table/position_key.h"

namespace table {

inline constexpr const char* kBaseFileName = "torvelbase.txt";
// Every position of the seven-row game, the largest, holds 21318 keys; written with CR LF line
// ends they take under 750 KB.
inline constexpr int32_t kMaxBaseKeys = 21318;
inline constexpr size_t kMaxBaseFileBytes = 1 << 20;

struct BaseFileProblem {
    size_t line = 0;  // 1-based line of the offending text; 0 when the file could not be read
    std::string what;
};

// Missing: no regular file there. Damaged or Unreadable: a file that could not be loaded, which
// a table sets aside before it writes its own.
enum class LoadStatus { Missing, Loaded, Damaged, Unreadable };

// Which file a path names on disk and how it stood, to tell whether someone else changed it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    long long modified = 0;  // nanoseconds
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The 1-based lines on which a key of the file starts and on which its score stands.
struct KeyLines {
    size_t key = 0;
    size_t score = 0;
};

struct BaseFileContents {
    LoadStatus status = LoadStatus::Missing;
    std::vector<PositionKey> keys;  // in file order, which is ascending when Loaded
    std::vector<KeyLines> lines;    // one for each key, in the same order
    BaseFileProblem problem;        // set when Damaged or Unreadable
    FileStamp stamp;                // of the file read
};

// Parses the text of a base file and checks it. Never throws.
BaseFileContents ParseBaseFile(std::string_view text);

// Reads the whole regular file at `path`: 0, or ENOENT when there is none, ENODEV when it is a
// folder, a pipe or a device, EFBIG when it is larger than any table, or the errno of the read.
int ReadBaseText(const std::string& path, std::string& text, FileStamp& stamp);
// Reads and parses the file at `path`.
BaseFileContents ReadBaseFile(const std::string& path);

// Whether `score` is one that some position of the key could have: non-zero, positive odd or
// negative even, at most one more than the key's sticks in size, and 1 for the empty key.
bool IsPlausibleScore(const PositionKey& key);

// Writes all of `data` to an open file descriptor; false on any failure, with errno set.
using WriteFunction = std::function<bool(int fd, std::string_view data)>;
bool WriteAll(int fd, std::string_view data);

// The file a path stands for: the file a symbolic link names, else the path itself.
std::string ResolvedPath(const std::string& path);

// Replaces the file at `path` (resolved) with `head` followed by `body`; 0, or the errno of the
// failure, in which case the old file is left as it was and no temporary file remains. `stamp`
// receives the new file's.
int ReplaceFile(const std::string& path, std::string_view head, std::string_view body,
                FileStamp& stamp, const WriteFunction& write = WriteAll);

// Moves the file at `path` aside as PATH.damaged, or PATH.damaged.2, .3, ... when that is taken;
// the name it took, or "" with errno set.
std::string SetAside(const std::string& path);

// Removes the temporary files that runs which no longer run left beside `path` (resolved): only
// this user's, never a live process's.
void RemoveStaleTemporaries(const std::string& path);

// Makes the file at `path` (resolved) and its folder entry reach the disk; false on failure.
bool SyncFile(const std::string& path);

// Holds an advisory lock on the folder of `path` (resolved) while it lives, so that programs
// sharing one base file save one at a time.
class FolderLock {
  public:
    explicit FolderLock(const std::string& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd = -1;
};

// The stamp of the file at `path` (resolved) now; size -1 when there is none.
FileStamp StampOf(const std::string& path);

}  // namespace table
