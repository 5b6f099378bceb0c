#include "table/base_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

namespace table {
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

FileStamp StampOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size,
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// What ResolvePath returns for a folder that the private rule refuses.
constexpr int kNotPrivate = -1;

// Resolves `path` to an open folder and a name in it (see the rules in the header): 0, or
// ENOENT when a folder on the way is missing, EPERM for a link the system would not follow,
// ELOOP for too many links, ENODEV for a name that ends in a slash, kNotPrivate when `rule`
// refuses the path's folder, or another errno.
int ResolvePath(const std::string& path, FolderRule rule, Descriptor& folder, std::string& name,
                std::string& shown) {
    name = NameOf(path);
    shown = path;
    folder.fd = ::open(FolderOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat first {};
    if (folder.fd >= 0 && rule == FolderRule::Private &&
        (::fstat(folder.fd, &first) != 0 || first.st_uid != ::geteuid() ||
         (first.st_mode & 022) != 0)) {
        return kNotPrivate;
    }
    for (int links = 0; folder.fd >= 0; ++links) {
        if (name.empty() || name == "." || name == "..") {
            return ENODEV;  // a folder
        }
        struct stat link {};
        if (::fstatat(folder.fd, name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(link.st_mode)) {
            return 0;  // a file, something else, or nothing: the name is resolved
        }
        struct stat where {};
        if (links == 40) {
            return ELOOP;  // as far as the system follows links
        }
        if (::fstat(folder.fd, &where) != 0) {
            return errno;
        }
        // The system's rule for links in shared folders such as /tmp.
        if ((where.st_mode & S_ISVTX) && (where.st_mode & S_IWOTH) && link.st_uid != ::geteuid() &&
            link.st_uid != where.st_uid) {
            return EPERM;
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(folder.fd, name.c_str(), target, sizeof target);
        if (length <= 0 || size_t(length) == sizeof target) {
            return length < 0 ? errno : ENAMETOOLONG;
        }
        const std::string named(target, size_t(length));
        const int next = ::openat(named[0] == '/' ? AT_FDCWD : folder.fd, FolderOf(named).c_str(),
                                  O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(folder.fd);
        folder.fd = next;
        name = NameOf(named);
        shown = named[0] == '/' || shown.find('/') == std::string::npos
                    ? named
                    : FolderOf(shown) + "/" + named;
    }
    return errno;
}

// Opens the regular file at the name to read, never through a link and never waiting: 0, or
// ENOENT, ENODEV when something else is there (nothing but a regular file is ever opened), or
// the errno of the failure.
int OpenName(int folder, const std::string& name, Descriptor& file, struct stat& info) {
    struct stat seen {};
    if (::fstatat(folder, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (!S_ISREG(seen.st_mode)) {
        return ENODEV;
    }
    file.fd =
        ::openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (file.fd < 0) {
        return errno == ELOOP ? ENODEV : errno;
    }
    if (::fstat(file.fd, &info) != 0) {
        return errno;
    }
    return S_ISREG(info.st_mode) ? 0 : ENODEV;
}

// The whole file: 0, EFBIG when it is larger than any table, or the errno of the read.
int ReadAll(int fd, std::string& text) {
    text.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : 0;
        }
        text.append(buffer, size_t(n));
        if (text.size() > kMaxBaseFileBytes) {
            return EFBIG;
        }
    }
}

// Renames within the folder unless the new name is taken (EEXIST).
int RenameNoReplace(int folder, const std::string& from, const std::string& to) {
    if (::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without the flag: a new link fails on a taken name just the same.
    if (::linkat(folder, from.c_str(), folder, to.c_str(), 0) != 0) {
        return errno;
    }
    ::unlinkat(folder, from.c_str(), 0);
    return 0;
}

// Waits for the file's lock until `deadline`; true when held, or when the file system has none.
bool LockWithin(int fd, Clock::time_point deadline) {
    for (auto pause = std::chrono::milliseconds(1);;
         pause = std::min(pause * 2, std::chrono::milliseconds(50))) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            return true;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
    }
}

bool IsTemporaryName(std::string_view entry, std::string_view base) {
    // BASE.tmpPID-XXXXXX
    if (!entry.starts_with(base) || !entry.substr(base.size()).starts_with(".tmp")) {
        return false;
    }
    entry.remove_prefix(base.size() + 4);
    const size_t dash = entry.find('-');
    if (dash == 0 || dash > 10 || entry.size() != dash + 7) {
        return false;
    }
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto isLetter = [&](char c) {
        return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    return std::all_of(entry.begin(), entry.begin() + ptrdiff_t(dash), isDigit) &&
           std::all_of(entry.begin() + ptrdiff_t(dash) + 1, entry.end(), isLetter);
}

// Creates a new temporary file beside `name`, under a name hard to foresee and never through an
// existing name (a name planted in advance only costs another try): its descriptor, or -1 with
// errno set.
int CreateTemporary(int folder, const std::string& name, std::string& temporary) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // A sequence the system seeds once: a system call for every letter would cost a save more
    // than its rename does.
    static uint64_t state = [] {
        uint64_t seed = 0;
        return ::getrandom(&seed, sizeof seed, 0) == sizeof seed ? seed : uint64_t(::getpid());
    }();
    for (int tries = 0; tries < 100; ++tries) {
        temporary = name + ".tmp" + std::to_string(::getpid()) + "-";
        uint64_t bits = state += 0x9e3779b97f4a7c15ull;  // splitmix64
        bits = (bits ^ (bits >> 30)) * 0xbf58476d1ce4e5b9ull;
        bits = (bits ^ (bits >> 27)) * 0x94d049bb133111ebull;
        bits ^= bits >> 31;
        for (int i = 0; i < 6; ++i, bits /= sizeof kLetters - 1) {
            temporary += kLetters[bits % (sizeof kLetters - 1)];
        }
        const int fd = ::openat(folder, temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes head and body to a temporary file and puts it at `name`: in place of `old` (checked to
// be the file displaced, else put back: EAGAIN), or where no file is (EEXIST when one appeared).
// 0 with the new file's stamp, or the errno of the failure with no temporary file left.
int WriteInPlace(int folder, const std::string& name, const struct stat* old, std::string_view head,
                 std::string_view body, const WriteFunction& write, FileStamp& stamp) {
    std::string temporary;
    const int fd = CreateTemporary(folder, name, temporary);
    if (fd < 0) {
        return errno;
    }
    struct stat written {};
    errno = 0;
    int error = ::fchmod(fd, old ? old->st_mode & 0777 : NewFileMode()) == 0 && write(fd, head) &&
                        write(fd, body) && ::fstat(fd, &written) == 0
                    ? 0
                    : (errno != 0 ? errno : EIO);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && old == nullptr) {
        error = RenameNoReplace(folder, temporary, name);
    } else if (error == 0) {
        // Exchanging the names, rather than renaming over the old file, keeps the file system
        // from flushing the new file at once; the old one is then dropped before it reaches the
        // disk.
        if (::renameat2(folder, temporary.c_str(), folder, name.c_str(), RENAME_EXCHANGE) == 0) {
            struct stat displaced {};
            if (::fstatat(folder, temporary.c_str(), &displaced, AT_SYMLINK_NOFOLLOW) == 0 &&
                SameFile(displaced, *old)) {
                ::unlinkat(folder, temporary.c_str(), 0);
                stamp = StampOf(written);
                return 0;
            }
            ::renameat2(folder, temporary.c_str(), folder, name.c_str(), RENAME_EXCHANGE);
            error = EAGAIN;
        } else if (errno == EINVAL || errno == ENOSYS) {
            error = ::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0 ? 0 : errno;
        } else {
            error = errno;
        }
    }
    if (error != 0) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return error;
    }
    stamp = StampOf(written);
    return 0;
}

}  // namespace

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string EscapedName(std::string_view name) {
    std::string shown;
    auto escape = [&](unsigned char byte) {
        static const char kHex[] = "0123456789abcdef";
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 15];
    };
    for (size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte == '\\') {
            shown += "\\\\";
            ++i;
            continue;
        }
        if (byte < 0x80) {
            byte < 0x20 || byte == 0x7f ? escape(byte) : void(shown += char(byte));
            ++i;
            continue;
        }
        // A UTF-8 sequence is kept when it is well formed and not a C1 control character.
        const size_t length = byte >= 0xc2 && byte <= 0xdf   ? 2
                              : byte >= 0xe0 && byte <= 0xef ? 3
                              : byte >= 0xf0 && byte <= 0xf4 ? 4
                                                             : 0;
        bool good = length != 0 && i + length <= name.size();
        for (size_t k = 1; good && k < length; ++k) {
            good = (static_cast<unsigned char>(name[i + k]) & 0xc0) == 0x80;
        }
        if (good) {
            const auto second = static_cast<unsigned char>(name[i + 1]);
            good = !(byte == 0xc2 && second < 0xa0) && !(byte == 0xe0 && second < 0xa0) &&
                   !(byte == 0xed && second >= 0xa0) && !(byte == 0xf0 && second < 0x90) &&
                   !(byte == 0xf4 && second >= 0x90);
        }
        if (good) {
            shown.append(name.substr(i, length));
            i += length;
        } else {
            escape(byte);
            ++i;
        }
    }
    return shown;
}

struct BaseFile::Found {
    Descriptor file;
    struct stat info {};
};

BaseFile::BaseFile(std::string basePath, FolderRule folderRule, Notice tell)
    : path(std::move(basePath)), rule(folderRule), notice(std::move(tell)) {}

BaseFile::~BaseFile() {
    if (folder >= 0) {
        ::close(folder);
    }
}

std::string BaseFile::Shown() const {
    std::string shown(1, '\'');
    shown += EscapedName(path);
    shown += '\'';
    return shown;
}

void BaseFile::Tell(int kind, const std::string& text) {
    if ((told & unsigned(kind)) == 0 && notice) {
        notice(text);
    }
    told |= unsigned(kind);
}

void BaseFile::StopSaving(int kind, const std::string& text) {
    savesOff = true;
    Tell(kind, text);
}

int BaseFile::Resolve() {
    if (folder >= 0) {
        ::close(folder);
        folder = -1;
    }
    resolved = true;
    Descriptor resolvedFolder;
    const int error = ResolvePath(path, rule, resolvedFolder, name, shownName);
    if (error == 0) {
        std::swap(folder, resolvedFolder.fd);
    }
    return error;
}

BaseFileContents BaseFile::Load() {
    BaseFileContents contents;
    if (path.empty()) {
        return contents;
    }
    savesOff = lockMissed = unsynced = false;
    known = FileStamp{};
    told = 0;
    const int error = Resolve();
    const std::string keeps = ", and the positions found in this run are not kept";
    if (error == ENOENT) {
        return contents;  // no folder: saves will say why they fail
    }
    contents.status = LoadStatus::Unreadable;
    if (error == EPERM) {
        contents.problem.what = "a link that another user made in a shared folder";
        StopSaving(kToldUnreadable, "the base file " + Shown() +
                                        " is a link that another user made in a shared folder: "
                                        "it is not followed" +
                                        keeps);
        return contents;
    }
    if (error == kNotPrivate) {
        contents.problem.what = "its folder is not the user's own, or others may write to it";
        StopSaving(kToldUnreadable, "the folder '" + EscapedName(FolderOf(path)) +
                                        "' of the base file is not yours alone: it is not used" +
                                        keeps);
        return contents;
    }
    if (error == 0) {
        SweepTemporaries();
    }
    Found found;
    std::string text;
    int read = error != 0 ? error : OpenName(folder, name, found.file, found.info);
    if (read == ENOENT) {
        contents.status = LoadStatus::Missing;
        return contents;
    }
    read = read != 0 ? read : ReadAll(found.file.fd, text);
    if (read != 0 && read != EFBIG) {
        contents.problem.what = read == ENODEV ? "not a regular file" : std::strerror(read);
        StopSaving(kToldUnreadable,
                   "the base file " + Shown() +
                       (read == ENODEV ? " is not a regular file"
                                       : " cannot be read (" + contents.problem.what + ")") +
                       ": it is left as it is" + keeps);
        return contents;
    }
    contents = read == EFBIG ? BaseFileContents{LoadStatus::Damaged,
                                                {},
                                                {},
                                                {1, "the file is larger than any table"}}
                             : ParseBaseFile(text);
    if (contents.status == LoadStatus::Damaged) {
        Tell(kToldDamaged, "the base file " + Shown() + " is damaged (line " +
                               std::to_string(contents.problem.line) + ": " +
                               contents.problem.what + "); starting with an empty table");
    } else {
        known = StampOf(found.info);
    }
    if ((found.info.st_mode & 0222) == 0 ||
        ::faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0) {
        StopSaving(kToldReadOnly, "the base file " + Shown() +
                                      " is read-only: its positions are used, and new ones "
                                      "are not kept");
    }
    return contents;
}

void BaseFile::SweepTemporaries() const {
    DIR* list = nullptr;
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || (list = ::fdopendir(fd)) == nullptr) {
        if (fd >= 0) {
            ::close(fd);
        }
        return;
    }
    const auto oldest = std::chrono::system_clock::now() - kStaleAge;
    while (const dirent* entry = ::readdir(list)) {
        struct stat info {};
        if (IsTemporaryName(entry->d_name, name) &&
            ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec) < oldest) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(list);
}

int BaseFile::SetAside(Found& found) {
    for (int n = 1; n < 1000; ++n) {
        std::string suffix = ".damaged";
        if (n > 1) {
            suffix += '.';
            suffix += std::to_string(n);
        }
        const int error = RenameNoReplace(folder, name, name + suffix);
        if (error == EEXIST) {
            continue;
        }
        if (error != 0) {
            return error;
        }
        struct stat moved {};
        if (::fstatat(folder, (name + suffix).c_str(), &moved, AT_SYMLINK_NOFOLLOW) != 0 ||
            !SameFile(moved, found.info)) {
            RenameNoReplace(folder, name + suffix, name);  // not the file found damaged
            return EAGAIN;
        }
        if (notice) {
            notice("the damaged base file " + Shown() + " was set aside as '" +
                   EscapedName(shownName + suffix) + "'");
        }
        return 0;
    }
    return EEXIST;
}

bool BaseFile::SaveOnce(Found& found, const Absorb& absorb, const Text& text,
                        const WriteFunction& write, int& error) {
    error = OpenName(folder, name, found.file, found.info);
    if (error == ENOENT) {
        const auto [head, body] = text();
        error = WriteInPlace(folder, name, nullptr, head, body, write, known);
        return error != EEXIST;  // another program made one meanwhile: read it first
    }
    if (error == ENODEV) {
        StopSaving(kToldStopped, "the base file " + Shown() +
                                     " was replaced by something that is not a regular file; "
                                     "nothing more is saved in this run");
        return true;
    }
    if (error != 0) {
        return true;
    }
    if (!LockWithin(found.file.fd, Clock::now() + (lockMissed ? Clock::duration(0) : kLockWait))) {
        lockMissed = true;
        error = EWOULDBLOCK;
        Tell(kToldLockMissed, "the base file " + Shown() +
                                  " is locked by another program; the positions found are kept "
                                  "in memory until a save can have it");
        return true;
    }
    lockMissed = false;
    struct stat now {};
    if (::fstatat(folder, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
        !SameFile(now, found.info) || ::fstat(found.file.fd, &found.info) != 0) {
        return false;  // replaced while this run waited: look again
    }
    if (!(StampOf(found.info) == known)) {
        std::string old;
        error = ReadAll(found.file.fd, old);
        if (error != 0 && error != EFBIG) {
            return true;
        }
        const BaseFileContents contents = error == 0 ? ParseBaseFile(old) : BaseFileContents{};
        if (error == 0 && contents.status == LoadStatus::Loaded) {
            absorb(contents.keys);
        } else {
            error = SetAside(found);
            if (error != 0 && error != EAGAIN) {
                StopSaving(kToldStopped, "the damaged base file " + Shown() +
                                             " could not be set aside (" + std::strerror(error) +
                                             "); nothing is saved in this run");
                return true;
            }
            return false;  // set aside: a new file is made next
        }
    }
    const auto [head, body] = text();
    error = WriteInPlace(folder, name, &found.info, head, body, write, known);
    return error != EAGAIN;
}

bool BaseFile::Save(const Absorb& absorb, const Text& text, const WriteFunction& write) {
    if (path.empty()) {
        return true;
    }
    const int resolveError = resolved ? 0 : Resolve();
    if (savesOff) {
        return false;
    }
    int error = folder < 0 ? (resolveError != 0 ? resolveError : ENOENT) : EAGAIN;
    for (int attempt = 0; folder >= 0 && attempt < 64; ++attempt) {
        Found found;
        if (SaveOnce(found, absorb, text, write, error)) {
            break;
        }
        error = EAGAIN;
    }
    if (error == 0) {
        unsynced = true;
        return true;
    }
    if (!savesOff && error != EWOULDBLOCK) {
        Tell(kToldSaveFailed, "the base file " + Shown() + " could not be saved (" +
                                  std::strerror(error) +
                                  "); positions found from now on are not kept");
    }
    return false;
}

bool BaseFile::Sync() {
    if (!unsynced) {
        return true;
    }
    unsynced = false;
    Found found;
    const int error = OpenName(folder, name, found.file, found.info);
    if (error == 0 && !(StampOf(found.info) == known)) {
        return true;  // someone else's file by now: nothing of this run's to make durable
    }
    bool synced = error == 0 && ::fsync(found.file.fd) == 0;
    if (synced) {
        // The folder entry too; a folder that may not be read is reached through the file system.
        Descriptor list;
        list.fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        synced = list.fd >= 0 ? ::fsync(list.fd) == 0 : ::syncfs(found.file.fd) == 0;
    }
    if (!synced) {
        Tell(kToldSyncFailed,
             "the base file " + Shown() + " could not be made safe on disk (" +
                 (error == ENODEV ? "it was replaced by something that is not a regular file"
                                  : std::strerror(error != 0 ? error : errno)) +
                 ")");
    }
    return synced;
}

int ReadBaseText(const std::string& path, std::string& text) {
    text.clear();
    Descriptor folder;
    std::string name;
    std::string shown;
    int error = ResolvePath(path, FolderRule::Any, folder, name, shown);
    Descriptor file;
    struct stat info {};
    error = error != 0 ? error : OpenName(folder.fd, name, file, info);
    return error == EPERM ? ENODEV : error != 0 ? error : ReadAll(file.fd, text);
}

int ReplaceFile(const std::string& path, std::string_view head, std::string_view body,
                FileStamp& stamp, const WriteFunction& write) {
    Descriptor folder;
    std::string name;
    std::string shown;
    if (const int error = ResolvePath(path, FolderRule::Any, folder, name, shown); error != 0) {
        return error;
    }
    struct stat old {};
    if (::fstatat(folder.fd, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno != ENOENT ? errno
                               : WriteInPlace(folder.fd, name, nullptr, head, body, write, stamp);
    }
    return S_ISREG(old.st_mode) ? WriteInPlace(folder.fd, name, &old, head, body, write, stamp)
                                : ENODEV;
}

std::string ResolvedPath(const std::string& path) {
    Descriptor folder;
    std::string name;
    std::string shown;
    return ResolvePath(path, FolderRule::Any, folder, name, shown) == 0 ? shown : path;
}

}  // namespace table
