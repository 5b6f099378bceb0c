#include "table/base_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <fstream>
#include <sstream>

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
        tokenLine = line;
        bool negative = false;
        if (text[pos] == '-') {
            negative = true;
            ++pos;
        }
        const size_t digitsStart = pos;
        int64_t magnitude = 0;
        bool tooBig = false;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            magnitude = magnitude * 10 + (text[pos] - '0');
            if (magnitude > int64_t{INT32_MAX} + 1) {
                tooBig = true;
                magnitude = int64_t{INT32_MAX} + 1;
            }
            ++pos;
        }
        if (pos == digitsStart || (pos < text.size() && !IsSpace(text[pos]))) {
            return Result::Malformed;
        }
        const int64_t signedValue = negative ? -magnitude : magnitude;
        if (tooBig || signedValue > INT32_MAX || signedValue < INT32_MIN) {
            return Result::OutOfRange;
        }
        value = static_cast<int32_t>(signedValue);
        return Result::Ok;
    }

    bool AtEnd() {
        SkipSpace();
        return pos == text.size();
    }
    size_t TokenLine() const { return tokenLine; }
    size_t Line() const { return line; }
    size_t Remaining() const { return text.size() - pos; }

  private:
    static bool IsSpace(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }
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
    BaseFileContents contents;
    // Every key takes at least four bytes ("0 1\n"), which bounds what a count may reserve.
    contents.keys.reserve(std::min<size_t>(static_cast<size_t>(count), tokens.Remaining() / 4));
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
    }
    if (!tokens.AtEnd()) {
        return Damaged(tokens.Line(), "text follows the last key");
    }
    contents.status = LoadStatus::Loaded;
    return contents;
}

BaseFileContents ReadBaseFile(const std::string& path) {
    // Only a regular file can hold a base; a directory or a pipe counts as no file at all.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return {};
    }
    return ParseBaseFile(text.view());
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

bool ReplaceFile(const std::string& path, std::string_view head, std::string_view body,
                 const WriteFunction& write) {
    static std::atomic<unsigned> serial{0};
    const std::string temporary =
        path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, head) && write(fd, body);
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Exchanging the names, rather than renaming over the target, keeps the file system from
    // flushing the new file at once; the old one is then dropped before it ever reaches the disk.
    struct stat target {};
    const bool exchange = ::lstat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    if (exchange &&
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporary.c_str());
        return true;
    }
    if (::rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace table
