#include "table/base_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "table/decimal.h"

namespace table {
namespace {

// Walks the text as whitespace-separated decimal integers, counting lines.
class Tokenizer {
  public:
    explicit Tokenizer(std::string_view source) : text(source) {}

    enum class Result { Ok, End, Malformed, OutOfRange };

    Result Next(int32_t& value) {
        SkipSpace();
        if (pos == text.size()) {
            return Result::End;
        }
        const size_t start = pos;
        while (pos < text.size() && !IsSpace(text[pos])) {
            ++pos;
        }
        switch (ReadDecimal(text.substr(start, pos - start), value)) {
            case DecimalStatus::Ok:
                return Result::Ok;
            case DecimalStatus::OutOfRange:
                return Result::OutOfRange;
            default:
                return Result::Malformed;
        }
    }

    bool AtEnd() {
        SkipSpace();
        return pos == text.size();
    }
    size_t TokenLine() const { return tokenLine; }
    size_t Line() const { return line; }
    size_t Remaining() const { return text.size() - pos; }

  private:
    void SkipSpace() {
        while (pos < text.size() && IsSpace(text[pos])) {
            if (text[pos] == '\n') {
                ++line;
            }
            ++pos;
        }
        tokenLine = line;
    }

    std::string_view text;
    size_t pos = 0;
    size_t line = 1;
    size_t tokenLine = 1;
};

BaseFileContents Damaged(size_t line, std::string what) {
    BaseFileContents contents;
    contents.status = LoadStatus::Damaged;
    contents.problem = {line, std::move(what)};
    return contents;
}

std::string Describe(Tokenizer::Result result, const char* field) {
    switch (result) {
        case Tokenizer::Result::End:
            return std::string("the file ends before ") + field;
        case Tokenizer::Result::OutOfRange:
            return std::string(field) + " is out of range";
        default:
            return std::string(field) + " is not a decimal integer";
    }
}

}  // namespace

bool IsPlausibleScore(const PositionKey& key) {
    const int64_t score = key.GetScore();
    if (key.GetLength() == 0) {
        return score == 1;
    }
    if (score == 0 || (score > 0 && score % 2 == 0) || (score < 0 && score % 2 != 0)) {
        return false;
    }
    int64_t sticks = 0;
    const auto values = key.GetValues();
    for (size_t i = 0; i < values.size() && sticks <= INT32_MAX; ++i) {
        sticks += static_cast<int64_t>(i + 1) * values[i];
    }
    return (score < 0 ? -score : score) <= sticks + 1;
}

BaseFileContents ParseBaseFile(std::string_view text) {
    Tokenizer tokens(text);
    int32_t count = 0;
    if (auto r = tokens.Next(count); r != Tokenizer::Result::Ok) {
        return Damaged(tokens.TokenLine(), Describe(r, "the key count"));
    }
    if (count < 0) {
        return Damaged(tokens.TokenLine(), "the key count is negative");
    }
    if (count > kMaxBaseKeys) {
        return Damaged(tokens.TokenLine(), "the key count is larger than any table holds");
    }
    BaseFileContents contents;
    // Every key takes at least four bytes ("0 1\n"), which bounds what a count may reserve.
    const size_t reserved = std::min<size_t>(static_cast<size_t>(count), tokens.Remaining() / 4);
    contents.keys.reserve(reserved);
    contents.lines.reserve(reserved);
    std::vector<int32_t> values;
    for (int32_t k = 0; k < count; ++k) {
        int32_t length = 0;
        if (auto r = tokens.Next(length); r != Tokenizer::Result::Ok) {
            return Damaged(tokens.TokenLine(), Describe(r, "a key's length"));
        }
        const size_t keyLine = tokens.TokenLine();
        if (length < 0) {
            return Damaged(keyLine, "a key's length is negative");
        }
        values.clear();
        for (int32_t i = 0; i < length; ++i) {
            int32_t v = 0;
            if (auto r = tokens.Next(v); r != Tokenizer::Result::Ok) {
                return Damaged(tokens.TokenLine(), Describe(r, "a key's value"));
            }
            if (v < 0) {
                return Damaged(tokens.TokenLine(), "a key's value is negative");
            }
            values.push_back(v);
        }
        if (length > 0 && values.back() == 0) {
            return Damaged(keyLine, "a key's last value is 0");
        }
        int32_t score = 0;
        if (auto r = tokens.Next(score); r != Tokenizer::Result::Ok) {
            return Damaged(tokens.TokenLine(), Describe(r, "a key's score"));
        }
        PositionKey key(values, score);
        if (!IsPlausibleScore(key)) {
            return Damaged(tokens.TokenLine(), "a key's score is impossible for its position");
        }
        if (!contents.keys.empty() && !contents.keys.back().IsLess(key)) {
            return Damaged(keyLine, "the keys are not in strictly ascending order");
        }
        contents.keys.push_back(std::move(key));
        contents.lines.push_back({keyLine, tokens.TokenLine()});
    }
    if (!tokens.AtEnd()) {
        return Damaged(tokens.Line(), "text follows the last key");
    }
    contents.status = LoadStatus::Loaded;
    return contents;
}

namespace {

FileStamp StampOf(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size,
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

int ReadBaseText(const std::string& path, std::string& text, FileStamp& stamp) {
    text.clear();
    // Opened without waiting (a pipe would block), then checked: what is read is what was seen.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOTDIR ? ENOENT : errno;
    }
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : !S_ISREG(info.st_mode) ? ENODEV : 0;
    if (error == 0) {
        stamp = StampOf(info);
        char buffer[65536];
        for (ssize_t n = 1; n != 0 && error == 0 && text.size() <= kMaxBaseFileBytes;) {
            n = ::read(fd, buffer, sizeof buffer);
            error = n < 0 && errno != EINTR ? errno : 0;
            text.append(buffer, size_t(std::max<ssize_t>(n, 0)));
        }
    }
    ::close(fd);
    return error == 0 && text.size() > kMaxBaseFileBytes ? EFBIG : error;
}

BaseFileContents ReadBaseFile(const std::string& path) {
    std::string text;
    FileStamp stamp;
    const int error = ReadBaseText(path, text, stamp);
    BaseFileContents contents;
    if (error == 0 || error == EFBIG) {
        contents =
            error == 0 ? ParseBaseFile(text) : Damaged(1, "the file is larger than any table");
    } else if (error != ENOENT && error != ENODEV) {  // no file, or a folder or a pipe: no base
        contents.status = LoadStatus::Unreadable;
        contents.problem.what = std::strerror(error);
    }
    contents.stamp = stamp;
    return contents;
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

std::string ResolvedPath(const std::string& path) {
    std::string resolved = path;
    struct stat link {};
    // As the system does, a chain of more than 40 links is followed no further.
    for (int links = 0; links < 40 && !resolved.empty() && ::lstat(resolved.c_str(), &link) == 0 &&
                        S_ISLNK(link.st_mode);
         ++links) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(resolved.c_str(), target, sizeof target);
        if (length <= 0 || size_t(length) == sizeof target) {
            break;
        }
        std::string named(target, size_t(length));
        resolved = named[0] == '/' ? named : Folder(resolved) + "/" + named;
    }
    return resolved;
}

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? StampOf(info) : FileStamp{};
}

int ReplaceFile(const std::string& path, std::string_view head, std::string_view body,
                FileStamp& stamp, const WriteFunction& write) {
    const std::string target = ResolvedPath(path);
    // A name with the process (so stale ones can be told) and six letters no one can foresee,
    // created exclusively: a name planted in advance, file or link, is never opened.
    std::string temporary = target + ".tmp" + std::to_string(::getpid()) + "-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat old {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    struct stat written {};
    errno = 0;
    int error =
        ::fchmod(fd, mode) == 0 && write(fd, head) && write(fd, body) && ::fstat(fd, &written) == 0
            ? 0
            : (errno != 0 ? errno : EIO);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        // Exchanging the names, rather than renaming over the target, keeps the file system from
        // flushing the new file at once; the old one is then dropped before it reaches the disk.
        if (S_ISREG(old.st_mode) && ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD,
                                                target.c_str(), RENAME_EXCHANGE) == 0) {
            ::unlink(temporary.c_str());
            stamp = StampOf(written);
            return 0;
        }
        error = ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error == 0 ? EIO : error;
    }
    stamp = StampOf(written);
    return 0;
}

std::string SetAside(const std::string& path) {
    const std::string target = ResolvedPath(path);
    for (int n = 1; n < 1000; ++n) {
        std::string name = target + ".damaged";
        if (n > 1) {
            name += '.';
            name += std::to_string(n);
        }
        if (::renameat2(AT_FDCWD, target.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
            return name;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string target = ResolvedPath(path);
    const std::string folder = Folder(target);
    const std::string prefix = target.substr(target.rfind('/') + 1) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        // PATH.tmpPID-XXXXXX, as ReplaceFile names them.
        const std::string name = entry->d_name;
        const size_t dash = name.find('-', prefix.size());
        int32_t pid = 0;
        const bool named =
            name.starts_with(prefix) && dash != std::string::npos &&
            ReadDecimal(std::string_view(name).substr(prefix.size(), dash - prefix.size()), pid) ==
                DecimalStatus::Ok;
        struct stat info {};
        const std::string file = folder + "/" + name;
        if (named && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH &&
            ::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            ::unlink(file.c_str());
        }
    }
    ::closedir(dir);
}

bool SyncFile(const std::string& path) {
    const std::string target = ResolvedPath(path);
    bool synced = true;
    for (const std::string& name : {target, Folder(target)}) {
        const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        synced = fd >= 0 && ::fsync(fd) == 0 && synced;
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return synced;
}

FolderLock::FolderLock(const std::string& path)
    : fd(::open(Folder(ResolvedPath(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    while (fd >= 0 && ::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock() {
    if (fd >= 0) {
        ::close(fd);  // lets the lock go
    }
}

}  // namespace table
