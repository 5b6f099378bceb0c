// A second, deliberately plain model of the search and its table, written straight from the
// rules with no shortcut at all: a sorted array searched by bisection, the ten-key recent block,
// the merge that copies the array, sorts it with the exchange pass and saves, and a search that
// searches every child its lookup misses. It is slow, so tests use it on small boards to check
// that the real table and search leave exactly the same keys, in the same places, and write
// exactly the same files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace reference {

struct Key {
    std::vector<int32_t> values;
    int32_t score = 0;

    bool IsLess(const Key& a) const {
        if (values.size() > a.values.size())
            return false;
        if (values.size() < a.values.size())
            return true;
        for (size_t i = 0; i < values.size(); ++i) {
            if (values[i] > a.values[i])
                return false;
            if (values[i] < a.values[i])
                return true;
        }
        return false;
    }
    bool IsEqual(const Key& a) const { return score != 0 && values == a.values; }
    bool IsGreater(const Key& a) const { return !IsEqual(a) && !IsLess(a); }
    std::string Text() const {
        std::ostringstream out;
        out << values.size();
        for (int32_t v : values)
            out << ' ' << v;
        out << ' ' << score;
        return out.str();
    }
};

struct Table {
    std::vector<Key> entries;
    Key recent[10];
    int32_t recentUsed = 0;
    std::vector<std::string> saves;  // the text of every file written, in order

    int32_t Lookup(const Key& k) const {
        if (entries.empty())
            return 0;
        size_t lo = 0, hi = entries.size() - 1;
        do {
            const size_t mid = lo + (hi - lo) / 2;
            if (entries[mid].IsEqual(k))
                return entries[mid].score;
            if (entries[hi].IsEqual(k))
                return entries[hi].score;
            if (entries[lo].IsEqual(k))
                return entries[lo].score;
            if (entries[mid].IsGreater(k))
                hi = mid;
            if (entries[mid].IsLess(k))
                lo = mid;
        } while (hi - lo > 1);
        return 0;
    }

    void Insert(const Key& k) {
        if (Lookup(k) != 0)
            return;
        for (int32_t i = 0; i < recentUsed; ++i) {
            if (recent[i].IsEqual(k))
                return;
        }
        if (recentUsed < 10) {
            recent[recentUsed++] = k;
            return;
        }
        std::vector<Key> merged(entries);
        merged.insert(merged.end(), recent, recent + 10);
        merged.push_back(k);
        entries = merged;
        SortEntries();
        recentUsed = 0;
        Save();
    }

    void SortEntries() {
        const long count = static_cast<long>(entries.size());
        if (count - 1 <= 0)
            return;
        long i = 0;
        while (i < count - 1) {
            if (i < 0)
                i = 0;
            if (entries[static_cast<size_t>(i)].IsGreater(entries[static_cast<size_t>(i + 1)])) {
                std::swap(entries[static_cast<size_t>(i)], entries[static_cast<size_t>(i + 1)]);
                i -= 3;
            }
            i += 1;
        }
    }

    void Save() {
        std::string text = std::to_string(entries.size()) + "\n";
        for (const Key& k : entries)
            text += k.Text() + "\n";
        saves.push_back(std::move(text));
    }
};

struct Move {
    int32_t row = -1;
    int32_t number = 0;
};

inline Key CanonicalKey(const std::vector<int32_t>& rows) {
    int32_t m = 0;
    for (int32_t v : rows)
        m = std::max(m, v);
    Key key;
    key.values.assign(static_cast<size_t>(m), 0);
    for (int32_t v : rows) {
        if (v != 0)
            ++key.values[static_cast<size_t>(v - 1)];
    }
    return key;
}

inline int32_t Turn(int32_t s) {
    s = s >= 0 ? s + 1 : s - 1;
    return -s;
}

inline int32_t Evaluate(Table& table, const std::vector<int32_t>& rows) {
    if (std::none_of(rows.begin(), rows.end(), [](int32_t v) { return v > 0; })) {
        Key key = CanonicalKey(rows);
        key.score = 1;
        table.Insert(key);
        return 1;
    }
    std::vector<int32_t> child;
    std::vector<int32_t> scores;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int32_t n = 1; n <= rows[r]; ++n) {
            child = rows;
            child[r] -= n;
            Key key = CanonicalKey(child);
            int32_t s = table.Lookup(key);
            if (s == 0)
                s = Evaluate(table, child);
            scores.push_back(s);
            key.score = s;
            table.Insert(key);
        }
    }
    int32_t win = 0, loss = 0;
    for (int32_t s : scores) {
        const int32_t t = Turn(s);
        if (t > 0) {
            if (win == 0 || t < win)
                win = t;
        } else if (t < loss) {
            loss = t;
        }
    }
    return win > 0 ? win : loss;
}

inline Move ChooseMove(Table& table, const std::vector<int32_t>& rows) {
    std::vector<Move> moves;
    std::vector<int32_t> ts;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int32_t n = 1; n <= rows[r]; ++n) {
            std::vector<int32_t> child = rows;
            child[r] -= n;
            ts.push_back(Turn(Evaluate(table, child)));
            moves.push_back(Move{static_cast<int32_t>(r), n});
        }
    }
    int32_t win = 0, loss = 0;
    for (int32_t t : ts) {
        if (t > 0) {
            if (win == 0 || t < win)
                win = t;
        } else if (t < loss) {
            loss = t;
        }
    }
    const int32_t chosen = win > 0 ? win : loss;
    for (size_t k = 0; k < ts.size(); ++k) {
        if (ts[k] == chosen)
            return moves[k];
    }
    return Move{};
}

}  // namespace reference
