// The one escaper of names and of any other text that a user or a file supplies, before it
// reaches a terminal, a message box or the status bar: whatever bytes it is given, what it gives
// back is UTF-8 that cannot move the cursor, change colours, reorder the text around it or end a
// line.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Bytes that are not UTF-8, control characters (C0, DEL, C1), the line and paragraph separators
// (U+2028, U+2029) and the controls that reorder text (U+061C, U+200E, U+200F, U+202A to U+202E,
// U+2066 to U+2069) are written byte by byte as \xNN, and the backslash as \\; everything else is
// kept.
std::string EscapedName(std::string_view name);

// The quotation marks a front end puts around a name in its sentences: the terminal's '...',
// the window's "..." (in the user's language: „...“ in German, « ... » in French).
enum class Quotes { Single, Double };

// A name as a sentence shows it: escaped, between the front end's quotation marks.
std::string Quoted(Quotes quotes, std::string_view name);

}  // namespace text
