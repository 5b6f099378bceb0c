#include "table/position_key.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>

#include "text/decimal.h"

namespace table {

using text::DecimalStatus;
using text::IsSpace;
using text::ReadDecimal;
namespace {

// Reads the next word of the stream as a decimal integer, or fails the stream.
bool ReadInteger(std::istream& in, int32_t& value) {
    std::string word;
    for (int c = in.peek(); c != std::char_traits<char>::eof(); c = in.peek()) {
        if (!IsSpace(static_cast<char>(c))) {
            word += static_cast<char>(c);
        } else if (!word.empty()) {
            break;
        }
        in.get();
    }
    if (ReadDecimal(word, value) != DecimalStatus::Ok) {
        in.setstate(std::ios::failbit);
        return false;
    }
    return true;
}

}  // namespace

void PositionKey::Set(int32_t length, int32_t keyScore, const int32_t* keyValues) {
    score = keyScore;
    values.assign(keyValues, keyValues + std::max(length, 0));
}

bool PositionKey::IsLess(const PositionKey& other) const {
    if (values.size() != other.values.size()) {
        return values.size() < other.values.size();
    }
    return std::lexicographical_compare(values.begin(), values.end(), other.values.begin(),
                                        other.values.end());
}

bool PositionKey::IsEqual(const PositionKey& other) const {
    return score != 0 && values == other.values;
}

std::ostream& WriteText(std::ostream& out, const PositionKey& key) {
    out << key.GetLength();
    for (int32_t v : key.GetValues()) {
        out << ' ' << v;
    }
    return out << ' ' << key.GetScore();
}

std::istream& ReadText(std::istream& in, PositionKey& key) {
    int32_t length = 0;
    if (!ReadInteger(in, length)) {
        return in;
    }
    if (length < 0) {
        in.setstate(std::ios::failbit);
        return in;
    }
    if (static_cast<size_t>(length) != key.values.size()) {
        key.values.clear();
        key.values.reserve(std::min<size_t>(static_cast<size_t>(length), 64));
        for (int32_t i = 0; i < length; ++i) {
            int32_t v = 0;
            if (!ReadInteger(in, v)) {
                return in;
            }
            key.values.push_back(v);
        }
    } else {
        for (int32_t& v : key.values) {
            if (!ReadInteger(in, v)) {
                return in;
            }
        }
    }
    ReadInteger(in, key.score);
    return in;
}

}  // namespace table
