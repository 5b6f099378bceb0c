#include <gtest/gtest.h>

#include <sstream>

#include "table/position_key.h"

using table::PositionKey;

namespace {

PositionKey Key(std::vector<int32_t> values, int32_t score) {
    return PositionKey(values, score);
}

std::string Text(const PositionKey& key) {
    std::ostringstream out;
    table::WriteText(out, key);
    return out.str();
}

}  // namespace

TEST(PositionKey, OrderingIsByLengthThenValuesAndIgnoresScores) {
    const PositionKey fresh;
    EXPECT_EQ(fresh.GetLength(), 0);
    EXPECT_EQ(fresh.GetScore(), 0);
    EXPECT_FALSE(fresh.IsEqual(fresh));
    EXPECT_FALSE(fresh.IsEqual(Key({}, 1)));
    EXPECT_TRUE(fresh.IsLess(Key({1}, 0)));

    EXPECT_TRUE(Key({5, 5}, 3).IsLess(Key({0, 0, 1}, 3)));
    EXPECT_FALSE(Key({0, 0, 1}, 3).IsLess(Key({5, 5}, 3)));
    EXPECT_TRUE(Key({1, 0, 1}, 3).IsLess(Key({1, 1, 0}, 3)));
    EXPECT_TRUE(Key({1, 1, 0}, 3).IsGreater(Key({1, 0, 1}, 3)));

    // Equality looks at the receiver's score only, and never compares scores.
    const PositionKey scored = Key({1, 0, 1}, -4);
    const PositionKey unscored = Key({1, 0, 1}, 0);
    EXPECT_TRUE(scored.IsEqual(unscored));
    EXPECT_FALSE(unscored.IsEqual(scored));
    EXPECT_TRUE(scored.IsEqual(Key({1, 0, 1}, 7)));
    EXPECT_FALSE(unscored.IsLess(scored));
    EXPECT_TRUE(unscored.IsGreater(scored));
    EXPECT_FALSE(scored.IsGreater(unscored));
}

TEST(PositionKey, CopiesOwnTheirValues) {
    PositionKey source = Key({1, 2, 3}, 5);
    PositionKey target;
    target = source;
    const int32_t other[] = {9, 9};
    source.Set(2, -2, other);
    EXPECT_EQ(Text(target), "3 1 2 3 5");
    EXPECT_EQ(Text(source), "2 9 9 -2");
}

TEST(PositionKey, TextFormRoundTrips) {
    EXPECT_EQ(Text(Key({1, 0, 1}, -4)), "3 1 0 1 -4");
    EXPECT_EQ(Text(Key({}, 1)), "0 1");

    for (const PositionKey& original : {Key({1, 0, 1}, -4), Key({}, 1), Key({0, 0, 0, 2}, 17)}) {
        std::istringstream in(Text(original));
        PositionKey read;
        ASSERT_TRUE(table::ReadText(in, read));
        EXPECT_EQ(Text(read), Text(original));
    }

    // Line breaks and runs of blanks do not matter; a key of the same length is overwritten.
    std::istringstream in("3\t1 \r\n 1   0\n-6 2 4 5 9");
    PositionKey key = Key({7, 7, 7}, 1);
    ASSERT_TRUE(table::ReadText(in, key));
    EXPECT_EQ(Text(key), "3 1 1 0 -6");
    ASSERT_TRUE(table::ReadText(in, key));
    EXPECT_EQ(Text(key), "2 4 5 9");
}

TEST(PositionKey, ReadingBadTextFailsTheStreamWithoutHugeAllocation) {
    for (const char* bad : {"", "3 1 0", "x 1", "-1 5", "2 1 y 3", "2000000000 1 2"}) {
        std::istringstream in(bad);
        PositionKey key;
        EXPECT_FALSE(table::ReadText(in, key)) << bad;
    }
}
