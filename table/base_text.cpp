#include "table/base_text.h"

#include <algorithm>
#include <climits>

#include "text/decimal.h"
#include "text/translation.h"

namespace table {

using text::DecimalStatus;
using text::IsSpace;
using text::ReadDecimal;
using text::Tr;
using text::TrNoop;
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

// The numbers the file holds, as its problems name them.
enum class Field { KeyCount, Length, Value, Score };

// What is wrong with a number that was not read: for each field, that the file ends before it,
// that it is out of range, that it is no decimal integer.
std::string Describe(Tokenizer::Result result, Field field) {
    static constexpr const char* kProblems[4][3] = {
        {TrNoop("the file ends before the key count"), TrNoop("the key count is out of range"),
         TrNoop("the key count is not a decimal integer")},
        {TrNoop("the file ends before a key's length"), TrNoop("a key's length is out of range"),
         TrNoop("a key's length is not a decimal integer")},
        {TrNoop("the file ends before a key's value"), TrNoop("a key's value is out of range"),
         TrNoop("a key's value is not a decimal integer")},
        {TrNoop("the file ends before a key's score"), TrNoop("a key's score is out of range"),
         TrNoop("a key's score is not a decimal integer")},
    };
    const int problem = result == Tokenizer::Result::End          ? 0
                        : result == Tokenizer::Result::OutOfRange ? 1
                                                                  : 2;
    return Tr(kProblems[static_cast<int>(field)][problem]);
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

bool CanArise(std::span<const int32_t> counts) {
    // Taken largest first, the row that makes `rows` rows in all must fit under 13 - 2(rows-1).
    int64_t rows = 0;
    for (size_t size = counts.size(); size > 0; --size) {
        const int32_t count = counts[size - 1];
        if (count < 0 || count > 7 - rows) {
            return false;
        }
        rows += count;
        if (count > 0 && static_cast<int64_t>(size) > 13 - 2 * (rows - 1)) {
            return false;
        }
    }
    return true;
}

BaseFileContents ParseBaseFile(std::string_view text) {
    Tokenizer tokens(text);
    int32_t count = 0;
    if (auto r = tokens.Next(count); r != Tokenizer::Result::Ok) {
        return Damaged(tokens.TokenLine(), Describe(r, Field::KeyCount));
    }
    if (count < 0) {
        return Damaged(tokens.TokenLine(), Tr("the key count is negative"));
    }
    if (count > kMaxBaseKeys) {
        return Damaged(tokens.TokenLine(), Tr("the key count is larger than any table holds"));
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
            return Damaged(tokens.TokenLine(), Describe(r, Field::Length));
        }
        const size_t keyLine = tokens.TokenLine();
        if (length < 0) {
            return Damaged(keyLine, Tr("a key's length is negative"));
        }
        values.clear();
        for (int32_t i = 0; i < length; ++i) {
            int32_t v = 0;
            if (auto r = tokens.Next(v); r != Tokenizer::Result::Ok) {
                return Damaged(tokens.TokenLine(), Describe(r, Field::Value));
            }
            if (v < 0) {
                return Damaged(tokens.TokenLine(), Tr("a key's value is negative"));
            }
            values.push_back(v);
        }
        if (length > 0 && values.back() == 0) {
            return Damaged(keyLine, Tr("a key's last value is 0"));
        }
        if (!CanArise(values)) {
            return Damaged(keyLine,
                           Tr("a key's position cannot arise in a game of up to seven rows"));
        }
        int32_t score = 0;
        if (auto r = tokens.Next(score); r != Tokenizer::Result::Ok) {
            return Damaged(tokens.TokenLine(), Describe(r, Field::Score));
        }
        PositionKey key(values, score);
        if (!IsPlausibleScore(key)) {
            return Damaged(tokens.TokenLine(), Tr("a key's score is impossible for its position"));
        }
        if (!contents.keys.empty() && !contents.keys.back().IsLess(key)) {
            return Damaged(keyLine, Tr("the keys are not in strictly ascending order"));
        }
        contents.keys.push_back(std::move(key));
        contents.lines.push_back({keyLine, tokens.TokenLine()});
    }
    if (!tokens.AtEnd()) {
        return Damaged(tokens.Line(), Tr("text follows the last key"));
    }
    contents.status = LoadStatus::Loaded;
    return contents;
}

}  // namespace table
