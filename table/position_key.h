// PositionKey: the order-free form of a position with its score.
//
// Entry i of the values is the number of rows that hold exactly i+1 sticks, so the key does
// not depend on the order of the rows or on the rows that are empty. Keys are ordered by
// length first and then by their values in index order; the score plays no part in the order.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>
#include <vector>

namespace table {

class PositionKey {
  public:
    PositionKey() { values.reserve(1); }
    PositionKey(std::span<const int32_t> keyValues, int32_t keyScore)
        : values(keyValues.begin(), keyValues.end()), score(keyScore) {}

    // Replaces length, values and score; `keyValues` points at `length` values.
    void Set(int32_t length, int32_t keyScore, const int32_t* keyValues);
    void SetScore(int32_t keyScore) { score = keyScore; }
    int32_t GetScore() const { return score; }
    int32_t GetLength() const { return static_cast<int32_t>(values.size()); }
    std::span<const int32_t> GetValues() const { return values; }
    int32_t GetValue(int32_t i) const { return values[static_cast<size_t>(i)]; }

    // Orderings asked of this key (the receiver, the one a table holds) about another. A
    // receiver with score 0 never equals anything: 0 means "not scored".
    bool IsLess(const PositionKey& other) const;
    bool IsEqual(const PositionKey& other) const;
    bool IsGreater(const PositionKey& other) const { return !IsEqual(other) && !IsLess(other); }

    // Same length and values, whatever the scores.
    bool SameValues(const PositionKey& other) const { return values == other.values; }

  private:
    friend std::istream& ReadText(std::istream& in, PositionKey& key);

    std::vector<int32_t> values;  // `length` is values.size()
    int32_t score = 0;
};

// Text form: length, each value, score, separated by single spaces, no line end.
std::ostream& WriteText(std::ostream& out, const PositionKey& key);

// Reads whitespace-separated decimal integers (as ReadDecimal takes them): length, that many
// values, score. On a stream that runs
// out or holds something else the stream fails and the key is left with what was read; a
// negative length fails at once. Memory grows only with values actually read.
std::istream& ReadText(std::istream& in, PositionKey& key);

}  // namespace table
