// Text laid out for a terminal: the columns a text takes there, and lines broken to a width.
//
// A terminal gives each character one column or two: kana, Han, Hangul and the full-width forms
// take two, combining marks none. Lines break where spaces are and, in Japanese and Chinese,
// which are written without spaces, between two characters, except where the language keeps
// them together: never before a closing mark or a small kana (、。」ッ), never after an opening
// one (「), and never inside a number or a word of Latin letters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// The columns `text` (UTF-8) takes on a terminal; a byte that is not UTF-8 takes one.
size_t Columns(std::string_view text);

// `text` with each of its lines that is wider than `width` columns broken into lines that are
// not, at the places above; every line a break starts begins with `indent` spaces, and the
// spaces at a break go. A word wider than a line stands alone on its line. Lines that fit are
// kept as they are.
std::string Wrapped(std::string_view text, size_t width, size_t indent = 0);

}  // namespace text
