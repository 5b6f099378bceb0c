#include "engine/turn_texts.h"

namespace engine {

namespace {

// Worked on 64 bits so that the magnitude of the most negative number fits.
int32_t DigitCount(int64_t n) {
    const int64_t magnitude = n < 0 ? -n : n;
    return magnitude < 10 ? 1 : 1 + DigitCount(n / 10);
}

// The digit at `place`, counting from 0 at the most significant one.
char DigitAt(int64_t n, int32_t place) {
    while (DigitCount(n) > place + 1) {
        n /= 10;
    }
    const int64_t digit = n % 10;
    return static_cast<char>('0' + (digit < 0 ? -digit : digit));
}

}  // namespace

std::string NumberToText(int32_t n) {
    const int32_t count = DigitCount(n);
    std::string text;
    text.reserve(static_cast<size_t>(count) + 1);
    if (n < 0) {
        text.push_back('-');
    }
    for (int32_t place = 0; place < count; ++place) {
        text.push_back(DigitAt(n, place));
    }
    return text;
}

std::string ComputerTookText(const Move& move) {
    // Translators: English says "sticks" whatever the count; the plural follows the count.
    const char* text = text::TrN("The computer took %1 sticks from row %2",
                                 "The computer took %1 sticks from row %2", move.GetNumber());
    return text::Fill(text, {NumberToText(move.GetNumber()), NumberToText(move.GetRow())});
}

std::string SelectionText(int32_t sticks, int32_t row) {
    // Translators: 'Play' is the button on the board; English says "sticks" whatever the count.
    const char* text = text::TrN("To take %1 sticks from row %2, click the 'Play' button.",
                                 "To take %1 sticks from row %2, click the 'Play' button.", sticks);
    return text::Fill(text, {NumberToText(sticks), NumberToText(row)});
}

std::string SticksText(int32_t sticks) {
    return text::Fill(text::TrN("%1 stick", "%1 sticks", sticks), {sticks});
}

std::string SticksFromRow(const Move& move) {
    // Translators: what a move takes, said after "take" (or "taking"): the sticks, then the row.
    return text::Fill(text::TrN("%1 stick from row %2", "%1 sticks from row %2", move.number),
                      {move.number, move.row});
}

int32_t MovesLeft(int32_t score) {
    return (score > 0 ? score : -score) - 1;
}

std::string MovesText(int32_t score) {
    const int32_t left = MovesLeft(score);
    return text::Fill(text::TrN("%1 move", "%1 moves", left), {left});
}

std::string OpeningText(const Move& move) {
    return text::Fill(text::Tr("The computer opened by taking %1."), {SticksFromRow(move)});
}

}  // namespace engine
