#include "engine/lesson_texts.h"

#include <algorithm>

#include "engine/turn_texts.h"
#include "text/translation.h"

namespace engine {

namespace {

// Every text of the lesson, in one place.
// Translators: the last two items of a list ("1, 2+1 and 4+1"), then any item before them.
constexpr const char* kListPair = text::TrNoop("%1 and %2");
constexpr const char* kListMore = text::TrNoop("%1, %2");
constexpr const char* kRowsInPowers = text::TrNoop("In powers of two the rows hold %1.");
constexpr const char* kOddPowerOne = text::TrNoop("The power %1 comes an odd number of times.");
constexpr const char* kOddPowersMany = text::TrNoop("The powers %1 come an odd number of times.");
constexpr const char* kPairWinOne = text::TrNoop(
    "Taking %1 evens it, so the rows pair off; then pair them again after each reply.");
constexpr const char* kPairWinMany = text::TrNoop(
    "Taking %1 evens them all, so the rows pair off; then pair them again after each reply.");
constexpr const char* kPairLose = text::TrNoop(
    "Each power comes an even number of times, so the rows pair off: whatever you take, the "
    "computer pairs them again. Taking %1 holds out longest.");
constexpr const char* kPairEnd = text::TrNoop(
    "Once only one row holds two sticks or more, take it down to one stick or none, so that an "
    "odd number of single sticks is left.");
constexpr const char* kOneLongRow = text::TrNoop(
    "Only row %1 holds more than one stick. Taking %2 leaves %3, an odd number, so the "
    "computer takes the last.");
constexpr const char* kSinglesWin = text::TrNoop(
    "Every row holds one stick at most, so each move takes one. The rows hold %1, an even "
    "number: taking %2 leaves an odd number, and the computer takes the last.");
constexpr const char* kSinglesLose = text::TrNoop(
    "Every row holds one stick at most, so each move takes one. The rows hold %1, an odd "
    "number: whatever you take, the computer leaves you the last.");
constexpr const char* kLastStick = text::TrNoop("Only one stick is left, and you must take it.");
constexpr const char* kOver = text::TrNoop("The game is over: there is nothing to explain.");
// Translators: the row's number, its sticks, the sticks in binary, and as powers of two (4+1).
constexpr const char* kRowLine = text::TrNoop("Row %1: %2, %3 in binary, %4.");
constexpr const char* kPowerEven = text::TrNoop("The power %1 is in %2: an even number.");
constexpr const char* kPowerOdd = text::TrNoop("The power %1 is in %2: an odd number.");
constexpr const char* kWinningMoves = text::TrNoop("Winning moves: %1.");
constexpr const char* kNoWinningMove = text::TrNoop("No move wins.");

// A text of the catalogue in the user's language, with its placeholders filled.
std::string Say(const char* text, std::initializer_list<text::FillArg> values) {
    return text::Fill(text::Tr(text), values);
}

int32_t Sticks(const std::vector<int32_t>& rows) {
    int32_t sticks = 0;
    for (const int32_t s : rows) {
        sticks += std::max(s, 0);
    }
    return sticks;
}

// Each count with its noun: the language's own rule chooses the form ("1 row", "3 rows").
std::string RowsText(int32_t n) {
    return text::Fill(text::TrN("%1 row", "%1 rows", n), {n});
}

std::string SingleSticksText(int32_t n) {
    return text::Fill(text::TrN("%1 single stick", "%1 single sticks", n), {n});
}

// "a, b and c": the items of a list as a sentence names them.
std::string ListText(const std::vector<std::string>& items) {
    std::string text = items.empty() ? std::string() : items.back();
    for (size_t i = items.size(); i-- > 1;) {
        text = Say(i + 1 == items.size() ? kListPair : kListMore, {items[i - 1], text});
    }
    return text;
}

// A row as a sum of powers of two, largest first: "4+2+1" for 7, "0" for an empty row.
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

// A row in binary with at least `digits` digits: "0101" for 5 in four.
std::string BinaryText(int32_t sticks, int32_t digits) {
    std::string text;
    for (int32_t k = std::max(digits, 1) - 1; k >= 0; --k) {
        text += sticks > 0 && (sticks >> k) % 2 == 1 ? '1' : '0';
    }
    return text;
}

// The rows that hold sticks, as powers of two: "1, 2+1, 4+1 and 4+2+1".
std::string RowsInPowers(const Lesson& lesson) {
    std::vector<std::string> sums;
    for (const int32_t sticks : lesson.rows) {
        if (sticks > 0) {
            sums.push_back(PowersText(sticks));
        }
    }
    return Say(kRowsInPowers, {ListText(sums)});
}

// Whether the lesson goes on, after the pairing, to the rule for the end of the game.
enum class Endgame { Untold, Told };

// Why the move wins or every move loses, in sentences.
std::vector<std::string> Why(const Lesson& lesson, Endgame endgame) {
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
                return {Say(kPairLose, {move})};
            }
            const bool one = odd.size() == 1;
            std::vector<std::string> why = {
                Say(one ? kOddPowerOne : kOddPowersMany, {ListText(oddPowers)}),
                Say(one ? kPairWinOne : kPairWinMany, {move})};
            if (endgame == Endgame::Told) {
                why.push_back(Say(kPairEnd, {}));
            }
            return why;
        }
        case Stage::OneLongRow: {
            const auto longRow = std::find_if(lesson.rows.begin(), lesson.rows.end(),
                                              [](int32_t s) { return s > 1; });
            return {Say(kOneLongRow, {std::to_string(longRow - lesson.rows.begin()), move,
                                      SingleSticksText(lesson.singlesLeft)})};
        }
        case Stage::SingleSticks:
            if (sticks == 1) {
                return {Say(kLastStick, {})};
            }
            return {lesson.Wins() ? Say(kSinglesWin, {SticksText(sticks), move})
                                  : Say(kSinglesLose, {SticksText(sticks)})};
        case Stage::Over:
            break;
    }
    return {Say(kOver, {})};
}

}  // namespace

std::string LessonText(const Lesson& lesson) {
    std::vector<std::string> sentences = Why(lesson, Endgame::Untold);
    if (lesson.stage == Stage::Pairing) {
        sentences.insert(sentences.begin(), RowsInPowers(lesson));
    }
    return text::Sentences(sentences);
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
        lines.push_back(Say(kRowLine, {std::to_string(r), SticksText(sticks),
                                       BinaryText(sticks, digits), PowersText(sticks)}));
    }
    for (int32_t k = digits - 1; k >= 0; --k) {
        const int32_t holding = lesson.rowsWithPower[static_cast<size_t>(k)];
        lines.push_back(Say(holding % 2 == 0 ? kPowerEven : kPowerOdd,
                            {std::to_string(1 << k), RowsText(holding)}));
    }
    const std::vector<std::string> why = Why(lesson, Endgame::Told);
    lines.insert(lines.end(), why.begin(), why.end());
    std::vector<std::string> moves;
    for (const Move& move : lesson.winningMoves) {
        moves.push_back(SticksFromRow(move));
    }
    lines.push_back(moves.empty() ? Say(kNoWinningMove, {})
                                  : Say(kWinningMoves, {ListText(moves)}));
    return lines;
}

}  // namespace engine
