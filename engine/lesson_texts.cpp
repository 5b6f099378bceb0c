#include "engine/lesson_texts.h"

#include <algorithm>

#include "engine/hint.h"

namespace engine {

namespace {

// Every text of the lesson, in one place.
constexpr std::string_view kListPair = "{1} and {2}";
constexpr std::string_view kListMore = "{1}, {2}";
constexpr std::string_view kRowsInPowers = "In powers of two the rows hold {1}.";
constexpr std::string_view kOddPowerOne = "The power {1} comes an odd number of times.";
constexpr std::string_view kOddPowersMany = "The powers {1} come an odd number of times.";
constexpr std::string_view kPairWinOne =
    "Taking {1} evens it, so the rows pair off; then pair them again after each reply.";
constexpr std::string_view kPairWinMany =
    "Taking {1} evens them all, so the rows pair off; then pair them again after each reply.";
constexpr std::string_view kPairLose =
    "Each power comes an even number of times, so the rows pair off: whatever you take, the "
    "computer pairs them again. Taking {1} holds out longest.";
constexpr std::string_view kPairEnd =
    "Once only one row holds two sticks or more, take it down to one stick or none, so that an "
    "odd number of single sticks is left.";
constexpr std::string_view kOneLongRow =
    "Only row {1} holds more than one stick. Taking {2} leaves {3}, an odd number, so the "
    "computer takes the last.";
constexpr std::string_view kSinglesWin =
    "Every row holds one stick at most, so each move takes one. The rows hold {1}, an even "
    "number: taking {2} leaves an odd number, and the computer takes the last.";
constexpr std::string_view kSinglesLose =
    "Every row holds one stick at most, so each move takes one. The rows hold {1}, an odd "
    "number: whatever you take, the computer leaves you the last.";
constexpr std::string_view kLastStick = "Only one stick is left, and you must take it.";
constexpr std::string_view kOver = "The game is over: there is nothing to explain.";
constexpr std::string_view kRowLine = "Row {1}: {2}, {3} in binary, {4}.";
constexpr std::string_view kPowerEven = "The power {1} is in {2}: an even number.";
constexpr std::string_view kPowerOdd = "The power {1} is in {2}: an odd number.";
constexpr std::string_view kWinningMoves = "Winning moves: {1}.";
constexpr std::string_view kNoWinningMove = "No move wins.";
constexpr std::string_view kOpening = "The computer opened by taking {1}.";

// A count with its noun: the one place where a plural form is chosen.
std::string Count(int32_t n, std::string_view one, std::string_view many) {
    return Fill(n == 1 ? one : many, {std::to_string(n)});
}

int32_t Sticks(const std::vector<int32_t>& rows) {
    int32_t sticks = 0;
    for (const int32_t s : rows) {
        sticks += std::max(s, 0);
    }
    return sticks;
}

// The rows that hold sticks, as powers of two: "1, 2+1, 4+1 and 4+2+1".
std::string RowsInPowers(const Lesson& lesson) {
    std::vector<std::string> sums;
    for (const int32_t sticks : lesson.rows) {
        if (sticks > 0) {
            sums.push_back(PowersText(sticks));
        }
    }
    return Fill(kRowsInPowers, {ListText(sums)});
}

// Why the move wins or every move loses, in sentences; `terminal` adds what comes after pairing.
std::vector<std::string> Why(const Lesson& lesson, bool terminal) {
    const std::string move = SticksFromRow(lesson.move.move);
    const std::vector<int32_t> odd = lesson.OddPowers();
    std::vector<std::string> oddPowers;
    for (const int32_t power : odd) {
        oddPowers.push_back(std::to_string(power));
    }
    const int32_t sticks = Sticks(lesson.rows);
    switch (lesson.stage) {
        case Stage::Pairing: {
            if (!lesson.Wins()) {
                return {Fill(kPairLose, {move})};
            }
            const bool one = odd.size() == 1;
            std::vector<std::string> why = {
                Fill(one ? kOddPowerOne : kOddPowersMany, {ListText(oddPowers)}),
                Fill(one ? kPairWinOne : kPairWinMany, {move})};
            if (terminal) {
                why.emplace_back(kPairEnd);
            }
            return why;
        }
        case Stage::OneLongRow: {
            const auto longRow = std::find_if(lesson.rows.begin(), lesson.rows.end(),
                                              [](int32_t s) { return s > 1; });
            return {Fill(kOneLongRow, {std::to_string(longRow - lesson.rows.begin()), move,
                                       SingleSticksText(lesson.singlesLeft)})};
        }
        case Stage::SingleSticks:
            if (sticks == 1) {
                return {std::string(kLastStick)};
            }
            return {lesson.Wins() ? Fill(kSinglesWin, {SticksText(sticks), move})
                                  : Fill(kSinglesLose, {SticksText(sticks)})};
        case Stage::Over:
            break;
    }
    return {std::string(kOver)};
}

std::string Joined(const std::vector<std::string>& sentences) {
    std::string text;
    for (const std::string& sentence : sentences) {
        text += text.empty() ? "" : " ";
        text += sentence;
    }
    return text;
}

}  // namespace

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t place = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}'
                                 ? static_cast<size_t>(pattern[i + 1] - '1')
                                 : values.size();
        if (place < values.size()) {
            text += values.begin()[place];
            i += 2;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string SticksText(int32_t n) {
    return Count(n, "{1} stick", "{1} sticks");
}

std::string RowsText(int32_t n) {
    return Count(n, "{1} row", "{1} rows");
}

std::string SingleSticksText(int32_t n) {
    return Count(n, "{1} single stick", "{1} single sticks");
}

std::string ListText(const std::vector<std::string>& items) {
    std::string text = items.empty() ? std::string() : items.back();
    for (size_t i = items.size(); i-- > 1;) {
        text = Fill(i + 1 == items.size() ? kListPair : kListMore, {items[i - 1], text});
    }
    return text;
}

std::string PowersText(int32_t sticks) {
    std::string text;
    for (int32_t power = 1 << (kPowersOfTwo - 1); power > 0; power /= 2) {
        if (sticks > 0 && (sticks & power) != 0) {
            text += text.empty() ? "" : "+";
            text += std::to_string(power);
        }
    }
    return text.empty() ? "0" : text;
}

std::string BinaryText(int32_t sticks, int32_t digits) {
    std::string text;
    for (int32_t k = std::max(digits, 1) - 1; k >= 0; --k) {
        text += sticks > 0 && (sticks >> k) % 2 == 1 ? '1' : '0';
    }
    return text;
}

std::string LessonText(const Lesson& lesson) {
    const std::string why = Joined(Why(lesson, false));
    return lesson.stage == Stage::Pairing ? RowsInPowers(lesson) + ' ' + why : why;
}

std::vector<std::string> LessonLines(const Lesson& lesson) {
    const int32_t largest =
        lesson.rows.empty() ? 0 : *std::max_element(lesson.rows.begin(), lesson.rows.end());
    int32_t digits = 1;
    while (digits < kPowersOfTwo && (largest >> digits) > 0) {
        ++digits;
    }
    std::vector<std::string> lines;
    for (size_t r = 0; r < lesson.rows.size(); ++r) {
        const int32_t sticks = lesson.rows[r];
        lines.push_back(Fill(kRowLine, {std::to_string(r), SticksText(sticks),
                                        BinaryText(sticks, digits), PowersText(sticks)}));
    }
    for (int32_t k = digits - 1; k >= 0; --k) {
        const int32_t holding = lesson.rowsWithPower[static_cast<size_t>(k)];
        lines.push_back(Fill(holding % 2 == 0 ? kPowerEven : kPowerOdd,
                             {std::to_string(1 << k), RowsText(holding)}));
    }
    const std::vector<std::string> why = Why(lesson, true);
    lines.insert(lines.end(), why.begin(), why.end());
    std::vector<std::string> moves;
    for (const Move& move : lesson.winningMoves) {
        moves.push_back(SticksFromRow(move));
    }
    lines.push_back(moves.empty() ? std::string(kNoWinningMove)
                                  : Fill(kWinningMoves, {ListText(moves)}));
    return lines;
}

std::string OpeningText(const Move& move) {
    return Fill(kOpening, {SticksFromRow(move)});
}

}  // namespace engine
