#include "text/columns.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "text/utf8.h"

namespace text {
namespace {

struct Range {
    uint32_t first, last;
};

bool In(uint32_t c, const Range* begin, const Range* end) {
    const Range* at = std::lower_bound(
        begin, end, c, [](const Range& r, uint32_t value) { return r.last < value; });
    return at != end && at->first <= c;
}

// East Asian wide and full-width characters, in order.
constexpr Range kWide[] = {
    {0x1100, 0x115f},   {0x231a, 0x231b},   {0x2329, 0x232a},   {0x2e80, 0x303e},
    {0x3041, 0x33ff},   {0x3400, 0x4dbf},   {0x4e00, 0x9fff},   {0xa000, 0xa4cf},
    {0xa960, 0xa97f},   {0xac00, 0xd7a3},   {0xf900, 0xfaff},   {0xfe10, 0xfe19},
    {0xfe30, 0xfe6f},   {0xff00, 0xff60},   {0xffe0, 0xffe6},   {0x1f300, 0x1f64f},
    {0x1f900, 0x1f9ff}, {0x20000, 0x2fffd}, {0x30000, 0x3fffd},
};

// Marks that combine with the character before them, and the invisible joiners, in order.
constexpr Range kNoWidth[] = {
    {0x0300, 0x036f}, {0x0483, 0x0489}, {0x0591, 0x05bd}, {0x0610, 0x061a}, {0x064b, 0x065f},
    {0x200b, 0x200f}, {0x20d0, 0x20ff}, {0x3099, 0x309a}, {0xfe00, 0xfe0f}, {0xfe20, 0xfe2f},
};

bool Wide(uint32_t c) {
    return In(c, std::begin(kWide), std::end(kWide));
}

size_t Width(uint32_t c) {
    return Wide(c) ? 2 : In(c, std::begin(kNoWidth), std::end(kNoWidth)) ? 0 : 1;
}

// What a line may not start with: closing marks, stops, small kana and the long-vowel mark.
constexpr std::u32string_view kNoStart =
    U"、。，．・：；？！ー）」』】〕〉》〙〗｝］ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"
    U"！），．：；？］｝｡｣､ﾞﾟ’”%),.:;!?]}";
// What a line may not end with: opening marks.
constexpr std::u32string_view kNoEnd = U"（「『【〔〈《〘〖｛［‘“([{";

bool Digit(uint32_t c) {
    return (c >= '0' && c <= '9') || (c >= 0xff10 && c <= 0xff19);
}

// Whether a line may break between `before` and `after`, which are not spaces.
bool BreakBetween(uint32_t before, uint32_t after) {
    if (!Wide(before) && !Wide(after)) {
        return false;  // inside a word of an alphabet, or a number
    }
    if (kNoStart.find(after) != std::u32string_view::npos ||
        kNoEnd.find(before) != std::u32string_view::npos) {
        return false;
    }
    return !(Digit(before) && Digit(after)) && !(Digit(before) && !Wide(before) && Wide(after)) &&
           !(Wide(before) && Digit(after) && !Wide(after));
}

// A run of text no line breaks inside, with the spaces before it.
struct Piece {
    std::string gap;
    std::string text;
    size_t columns = 0;
};

std::vector<Piece> Pieces(std::string_view line) {
    std::vector<Piece> pieces(1);
    uint32_t previous = 0;
    for (size_t i = 0; i < line.size();) {
        const Utf8Char c = DecodeUtf8(line.substr(i));
        const size_t length = c.length == 0 ? 1 : c.length;
        Piece* piece = &pieces.back();
        if (c.code == ' ') {
            if (!piece->text.empty()) {
                piece = &pieces.emplace_back();
            }
            piece->gap += ' ';
        } else {
            if (piece->text.empty() && pieces.size() > 1 &&
                kNoStart.find(c.code) != std::u32string_view::npos) {
                // Not even spaces let a closing mark start a line: it stays with what it closes.
                Piece& before = pieces[pieces.size() - 2];
                before.text += piece->gap;
                before.columns += piece->gap.size();
                pieces.pop_back();
                piece = &pieces.back();
            } else if (!piece->text.empty() && c.length != 0 && BreakBetween(previous, c.code)) {
                piece = &pieces.emplace_back();
            }
            piece->text += line.substr(i, length);
            piece->columns += c.length == 0 ? 1 : Width(c.code);
            previous = c.length == 0 ? 0 : c.code;
        }
        i += length;
    }
    return pieces;
}

std::string WrappedLine(std::string_view line, size_t width, size_t indent) {
    if (Columns(line) <= width) {
        return std::string(line);
    }
    std::string wrapped;
    size_t used = 0;
    bool empty = true;  // nothing on this line yet but its indent
    for (const Piece& piece : Pieces(line)) {
        if (piece.text.empty() && !wrapped.empty()) {
            continue;  // spaces at the end of the line
        }
        if (!empty && used + piece.gap.size() + piece.columns > width) {
            wrapped += '\n';
            wrapped.append(indent, ' ');
            used = indent;
            empty = true;
        }
        if (!empty || wrapped.empty()) {
            wrapped += piece.gap;  // the spaces at the start of the text stay
            used += piece.gap.size();
        }
        wrapped += piece.text;
        used += piece.columns;
        empty = piece.text.empty();
    }
    return wrapped;
}

}  // namespace

size_t Columns(std::string_view text) {
    size_t columns = 0;
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text.substr(i));
        columns += c.length == 0 ? 1 : Width(c.code);
        i += c.length == 0 ? 1 : c.length;
    }
    return columns;
}

std::string Wrapped(std::string_view text, size_t width, size_t indent) {
    std::string wrapped;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        wrapped += WrappedLine(text.substr(start, end - start), width, indent);
        if (end == text.size()) {
            break;
        }
        wrapped += '\n';
        start = end + 1;
    }
    return wrapped;
}

}  // namespace text
