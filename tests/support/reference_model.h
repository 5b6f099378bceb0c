// A second, deliberately plain model of the search and its table, written straight from the
// rules with no shortcut: a sorted array searched by bisection, the ten-key recent block, the
// merge that copies the array, sorts it with the exchange pass and saves, and a search that
// searches every child its lookup misses; it keeps only positions that some game can reach. It
// is slow, so tests use it on small boards to check that the real table and search hold the same
// keys in the same places and write the same files.
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "table/position_table.h"

namespace reference {

using Rows = std::vector<int32_t>;

struct Key {
    Rows values;
    int32_t score = 0;

    bool IsLess(const Key& a) const {
        return values.size() != a.values.size() ? values.size() < a.values.size()
                                                : values < a.values;
    }
    bool IsEqual(const Key& a) const { return score != 0 && values == a.values; }
    bool IsGreater(const Key& a) const { return !IsEqual(a) && !IsLess(a); }
    // Some game of up to seven rows reaches it: its rows, largest first, fit 13, 11, ..., 1.
    bool CanArise() const {
        Rows sizes;
        for (size_t k = values.size(); k > 0; --k) {
            sizes.insert(sizes.end(), size_t(values[k - 1]), int32_t(k));
        }
        for (size_t i = 0; i < sizes.size(); ++i) {
            if (i >= 7 || sizes[i] > 13 - 2 * int32_t(i)) {
                return false;
            }
        }
        return true;
    }
    std::string Text() const {
        std::string text = std::to_string(values.size());
        for (int32_t v : values) {
            text += ' ' + std::to_string(v);
        }
        return text + ' ' + std::to_string(score) + '\n';
    }
};

struct Table {
    std::vector<Key> entries;
    std::vector<Key> recent;         // at most ten
    std::vector<std::string> saves;  // the text of every file written, in order

    int32_t Lookup(const Key& k) const {
        size_t lo = 0, hi = entries.size() - 1;
        while (!entries.empty()) {
            const size_t mid = lo + (hi - lo) / 2;
            for (size_t i : {mid, hi, lo}) {
                if (entries[i].IsEqual(k)) {
                    return entries[i].score;
                }
            }
            hi = entries[mid].IsGreater(k) ? mid : hi;
            lo = entries[mid].IsLess(k) ? mid : lo;
            if (hi - lo <= 1) {
                break;
            }
        }
        return 0;
    }

    void Insert(const Key& k) {
        if (!k.CanArise() || Lookup(k) != 0 ||
            std::any_of(recent.begin(), recent.end(), [&](const Key& r) { return r.IsEqual(k); })) {
            return;
        }
        if (recent.size() < 10) {
            recent.push_back(k);
            return;
        }
        entries.insert(entries.end(), recent.begin(), recent.end());
        entries.push_back(k);
        recent.clear();
        for (long i = 0; i < long(entries.size()) - 1; ++i) {  // steps back after an exchange
            i = std::max(i, 0L);
            if (entries[size_t(i)].IsGreater(entries[size_t(i + 1)])) {
                std::swap(entries[size_t(i)], entries[size_t(i + 1)]);
                i -= 3;
            }
        }
        saves.push_back(std::to_string(entries.size()) + "\n" + Snapshot(false));
    }

    std::string Snapshot(bool withRecent = true) const {
        std::string text;
        for (const Key& key : entries) {
            text += key.Text();
        }
        for (size_t i = 0; withRecent && i <= recent.size(); ++i) {
            text += i == 0 ? "--\n" : recent[i - 1].Text();
        }
        return text;
    }
};

inline Key CanonicalKey(const Rows& rows, int32_t score = 0) {
    Key key{{}, score};
    for (int32_t v : rows) {
        key.values.resize(std::max(key.values.size(), size_t(std::max(v, 0))), 0);
    }
    for (int32_t v : rows) {
        if (v > 0) {
            ++key.values[size_t(v - 1)];
        }
    }
    return key;
}

// Every move's score for the player to move, in the order rows up, then sticks up; the search
// looks each child up first and stores it, the computer's own choice searches each anew.
inline int32_t Evaluate(Table& table, const Rows& rows);
inline Rows MoveScores(Table& table, const Rows& rows, bool lookUp) {
    Rows scores;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int32_t n = 1; n <= rows[r]; ++n) {
            Rows child = rows;
            child[r] -= n;
            int32_t s = lookUp ? table.Lookup(CanonicalKey(child)) : 0;
            s = s != 0 ? s : Evaluate(table, child);
            if (lookUp) {
                table.Insert(CanonicalKey(child, s));
            }
            scores.push_back(s >= 0 ? -(s + 1) : 1 - s);
        }
    }
    return scores;
}
// The quickest win, else the slowest loss.
inline int32_t Best(const Rows& scores) {
    int32_t win = 0, loss = 0;
    for (int32_t t : scores) {
        win = t > 0 && (win == 0 || t < win) ? t : win;
        loss = std::min(loss, t);
    }
    return win > 0 ? win : loss;
}
inline int32_t Evaluate(Table& table, const Rows& rows) {
    if (std::none_of(rows.begin(), rows.end(), [](int32_t v) { return v > 0; })) {
        table.Insert(CanonicalKey(rows, 1));
        return 1;
    }
    return Best(MoveScores(table, rows, true));
}
// The computer's move (row, number): the first of the best.
inline std::pair<int32_t, int32_t> ChooseMove(Table& table, const Rows& rows) {
    const Rows scores = MoveScores(table, rows, false);
    const size_t k = size_t(std::find(scores.begin(), scores.end(), Best(scores)) - scores.begin());
    int32_t before = 0;
    for (size_t r = 0; r < rows.size(); before += rows[r++]) {
        if (k < size_t(before + rows[r])) {
            return {int32_t(r), int32_t(k) - before + 1};
        }
    }
    return {-1, 0};
}

// The real table in the model's terms.
inline std::string Text(const table::PositionKey& key) {
    std::ostringstream out;
    table::WriteText(out, key) << '\n';
    return out.str();
}
inline std::string Snapshot(const table::PositionTable& t) {
    std::string text;
    for (const table::PositionKey& key : t.GetEntries()) {
        text += Text(key);
    }
    text += "--\n";
    for (int32_t i = 0; i < t.GetRecentUsed(); ++i) {
        text += Text(t.GetRecent(i));
    }
    return text;
}

}  // namespace reference
