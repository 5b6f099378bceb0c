#include "files/file_layer.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

namespace files {
namespace {

using Clock = std::chrono::steady_clock;

std::function<void()>& BeforeOpen() {
    static std::function<void()> hook;
    return hook;
}

// As far as the system itself follows links.
constexpr int kMostLinks = 40;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The outcome of an errno: 0 is done.
FileResult Failure(int error) {
    return {error == 0        ? FileOutcome::Done
            : error == ENOENT ? FileOutcome::Missing
                              : FileOutcome::Failed,
            error};
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0
}

int OpenFolder(int at, const std::string& path) {
    return ::openat(at, path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
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
        uint64_t bits = (state += 0x9e3779b97f4a7c15ull);
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

// Renames within the folder unless the new name is taken (EEXIST): 0 or the errno.
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

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

FileStamp StampOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size,
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

Descriptor::~Descriptor() {
    if (fd >= 0) {
        ::close(fd);
    }
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        Descriptor old(Release());
        fd = other.Release();
    }
    return *this;
}

int Descriptor::Release() {
    const int released = fd;
    fd = -1;
    return released;
}

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

FileResult ReadAll(int fd, size_t limit, std::string& text) {
    text.clear();
    char buffer[65536];
    while (text.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit + 1 - text.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? Failure(errno) : FileResult{};
        }
        text.append(buffer, size_t(n));
    }
    return {FileOutcome::TooLarge};
}

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

FileResult Location::Resolve(const std::string& path, FolderRule rule) {
    name = NameOf(path);
    shown = path;
    folder = Descriptor(OpenFolder(AT_FDCWD, FolderOf(path)));
    int openError = errno;
    struct stat first {};
    if (Resolved() && rule == FolderRule::Private &&
        (::fstat(Folder(), &first) != 0 || first.st_uid != ::geteuid() ||
         (first.st_mode & 022) != 0)) {
        folder = Descriptor();
        return {FileOutcome::NotPrivate};
    }
    for (int links = 0; Resolved(); ++links) {
        if (name.empty() || name == "." || name == "..") {
            folder = Descriptor();
            return {FileOutcome::NotRegular};  // a folder
        }
        struct stat link {};
        if (::fstatat(Folder(), name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(link.st_mode)) {
            return {};  // a file, something else, or nothing: the name is resolved
        }
        struct stat where {};
        int error = links == kMostLinks ? ELOOP : ::fstat(Folder(), &where) != 0 ? errno : 0;
        // The system's rule for links in shared folders such as /tmp.
        if (error == 0 && (where.st_mode & S_ISVTX) && (where.st_mode & S_IWOTH) &&
            link.st_uid != ::geteuid() && link.st_uid != where.st_uid) {
            folder = Descriptor();
            return {FileOutcome::LinkRefused};
        }
        char target[PATH_MAX];
        const ssize_t length =
            error != 0 ? -1 : ::readlinkat(Folder(), name.c_str(), target, sizeof target);
        if (error == 0 && (length <= 0 || size_t(length) == sizeof target)) {
            error = length < 0 ? errno : ENAMETOOLONG;
        }
        if (error != 0) {
            folder = Descriptor();
            return Failure(error);
        }
        const std::string named(target, size_t(length));
        const int next = OpenFolder(named[0] == '/' ? AT_FDCWD : Folder(), FolderOf(named));
        openError = errno;
        folder = Descriptor(next);
        name = NameOf(named);
        shown = named[0] == '/' || shown.find('/') == std::string::npos
                    ? named
                    : FolderOf(shown) + "/" + named;
    }
    return Failure(openError);
}

void SetBeforeOpen(std::function<void()> hook) {
    BeforeOpen() = std::move(hook);
}

FileResult Location::Look(struct stat& info) const {
    return ::fstatat(Folder(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ? FileResult{}
                                                                              : Failure(errno);
}

bool Location::IsReadOnly(const struct stat& info) const {
    return (info.st_mode & 0222) == 0 || ::faccessat(Folder(), name.c_str(), W_OK, AT_EACCESS) != 0;
}

FileResult Location::CheckWritable() const {
    struct stat there {};
    if (Look(there).Done() && S_ISREG(there.st_mode) && IsReadOnly(there)) {
        return {FileOutcome::ReadOnly};
    }
    // A save makes its temporary file in the folder, whether or not a file is there.
    return ::faccessat(Folder(), ".", W_OK | X_OK, AT_EACCESS) == 0 ? FileResult{} : Failure(errno);
}

FileResult Location::OpenRegular(OpenFile& file) const {
    struct stat seen {};
    if (FileResult looked = Look(seen); !looked.Done()) {
        return looked;
    }
    if (!S_ISREG(seen.st_mode)) {
        return {FileOutcome::NotRegular};  // a pipe or a device is not even opened
    }
    if (BeforeOpen()) {
        BeforeOpen()();
    }
    // What is there now may not be what was looked at: it is neither followed nor waited on.
    file.fd = Descriptor(::openat(Folder(), name.c_str(),
                                  O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (file.fd.Get() < 0) {
        return errno == ELOOP ? FileResult{FileOutcome::NotRegular} : Failure(errno);
    }
    if (::fstat(file.fd.Get(), &file.info) != 0) {
        return Failure(errno);
    }
    return S_ISREG(file.info.st_mode) ? FileResult{} : FileResult{FileOutcome::NotRegular};
}

FileResult Location::Replace(const struct stat* old, std::string_view head, std::string_view body,
                             const WriteFunction& write, FileStamp& stamp) const {
    const int at = Folder();
    std::string temporary;
    Descriptor file(CreateTemporary(at, name, temporary));
    if (file.Get() < 0) {
        return Failure(errno);
    }
    struct stat written {};
    errno = 0;
    int error = ::fchmod(file.Get(), old ? old->st_mode & 0777 : NewFileMode()) == 0 &&
                        write(file.Get(), head) && write(file.Get(), body) &&
                        ::fstat(file.Get(), &written) == 0
                    ? 0
                    : (errno != 0 ? errno : EIO);
    if (::close(file.Release()) != 0 && error == 0) {
        error = errno;
    }
    FileResult result = Failure(error);
    if (error == 0 && old == nullptr) {
        error = RenameNoReplace(at, temporary, name);
        result = error == EEXIST ? FileResult{FileOutcome::Taken} : Failure(error);
    } else if (error == 0) {
        // Exchanging the names, rather than renaming over the old file, keeps the file system
        // from flushing the new file at once; the old one is then dropped before it reaches the
        // disk.
        if (::renameat2(at, temporary.c_str(), at, name.c_str(), RENAME_EXCHANGE) == 0) {
            struct stat displaced {};
            if (::fstatat(at, temporary.c_str(), &displaced, AT_SYMLINK_NOFOLLOW) == 0 &&
                SameFile(displaced, *old)) {
                ::unlinkat(at, temporary.c_str(), 0);
                stamp = StampOf(written);
                return {};
            }
            ::renameat2(at, temporary.c_str(), at, name.c_str(), RENAME_EXCHANGE);
            result = {FileOutcome::Changed};
        } else if (errno == EINVAL || errno == ENOSYS) {
            result = Failure(::renameat(at, temporary.c_str(), at, name.c_str()) == 0 ? 0 : errno);
        } else {
            result = Failure(errno);
        }
    }
    if (!result.Done()) {
        ::unlinkat(at, temporary.c_str(), 0);
        return result;
    }
    stamp = StampOf(written);
    return {};
}

bool Location::Holds(const struct stat& info) const {
    struct stat now {};
    return Look(now).Done() && SameFile(now, info);
}

FileResult Location::RenameTo(const std::string& to, const struct stat& expected) const {
    const int error = RenameNoReplace(Folder(), name, to);
    if (error != 0) {
        return error == EEXIST ? FileResult{FileOutcome::Taken} : Failure(error);
    }
    struct stat moved {};
    if (::fstatat(Folder(), to.c_str(), &moved, AT_SYMLINK_NOFOLLOW) != 0 ||
        !SameFile(moved, expected)) {
        RenameNoReplace(Folder(), to, name);  // not the file meant: it goes back
        return {FileOutcome::Changed};
    }
    return {};
}

void Location::SweepTemporaries(std::chrono::seconds age) const {
    DIR* list = nullptr;
    const int fd = ::openat(Folder(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || (list = ::fdopendir(fd)) == nullptr) {
        if (fd >= 0) {
            ::close(fd);
        }
        return;
    }
    const auto oldest = std::chrono::system_clock::now() - age;
    while (const dirent* entry = ::readdir(list)) {
        struct stat info {};
        if (IsTemporaryName(entry->d_name, name) &&
            ::fstatat(Folder(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec) < oldest) {
            ::unlinkat(Folder(), entry->d_name, 0);
        }
    }
    ::closedir(list);
}

Sameness Compare(const Location& a, const Location& b) {
    struct stat folderA {
    }, folderB{};
    if (!a.Resolved() || !b.Resolved() || ::fstat(a.Folder(), &folderA) != 0 ||
        ::fstat(b.Folder(), &folderB) != 0) {
        return Sameness::Unknown;
    }
    if (SameFile(folderA, folderB) && a.Name() == b.Name()) {
        return Sameness::Same;
    }
    struct stat fileA {
    }, fileB{};
    const FileResult lookA = a.Look(fileA);
    const FileResult lookB = b.Look(fileB);
    if (lookA.outcome == FileOutcome::Missing || lookB.outcome == FileOutcome::Missing) {
        return Sameness::Different;
    }
    if (!lookA.Done() || !lookB.Done()) {
        return Sameness::Unknown;
    }
    return SameFile(fileA, fileB) ? Sameness::Same : Sameness::Different;
}

}  // namespace files
