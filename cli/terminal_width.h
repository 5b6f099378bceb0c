// How wide the lines torvel-cli writes for people may be.
#pragma once

#include <cstddef>

namespace cli {

// The width of the terminal standard output goes to: COLUMNS where it is set to a number, else
// the terminal's own width, else (a pipe, a file) 80 columns; never fewer than 20.
size_t TerminalWidth();

// Help fits 80 columns, or the terminal where it is narrower.
size_t HelpWidth();

}  // namespace cli
