// Keys of real positions with scores their positions could have, for the table's tests.
#pragma once

#include <vector>

#include "support/reference_model.h"

namespace tablekeys {

using table::PositionKey;
using table::PositionTable;

inline PositionKey Key(std::vector<int32_t> values, int32_t score) {
    return PositionKey(values, score);
}

// Eleven distinct keys, in descending order; kSorted is their order.
inline std::vector<PositionKey> ElevenDescending() {
    std::vector<PositionKey> keys;
    for (int32_t a = 4; a >= 1; --a) {
        keys.push_back(Key({a, 1}, 3));
    }
    for (int32_t a = 7; a >= 1; --a) {
        keys.push_back(Key({a}, a % 2 ? -2 : 3));
    }
    return keys;
}
inline const char kSorted[] =
    "1 1 -2\n1 2 3\n1 3 -2\n1 4 3\n1 5 -2\n1 6 3\n1 7 -2\n2 1 1 3\n2 2 1 3\n2 3 1 3\n2 4 1 3\n";

// Eleven more, none of them among the first: rows of two, three and four sticks.
inline std::vector<PositionKey> ElevenOthers() {
    std::vector<PositionKey> keys;
    for (int32_t a = 1; a <= 5; ++a) {
        keys.push_back(Key({0, 0, a}, 3));
        keys.push_back(Key({0, a}, 3));
    }
    keys.push_back(Key({0, 0, 0, 1}, 3));
    return keys;
}

inline void InsertAll(PositionTable& t, const std::vector<PositionKey>& keys) {
    for (const PositionKey& key : keys) {
        t.Insert(key);
    }
}

}  // namespace tablekeys
