// The game of the window, played in a terminal: the same engine, rules and messages, with the
// board printed as text and the human's move typed as "row sticks".
//
// The game reads lines from one stream and writes to another, so a terminal, a pipe and a test
// all drive it the same way. Input is never trusted: a line that is not a legal move is answered
// with one line saying what is wrong, the prompt comes again, and the position stays as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_engine.h"
#include "engine/move.h"
#include "engine/rules.h"
#include "engine/saved_game.h"
#include "text/translation.h"

namespace cli {

inline constexpr const char* kPlayIntroduction = text::TrNoop(
    // Translators: one paragraph, which the terminal's width breaks into lines; the words the
    // player types (hint, why, q) as the translations of "hint", "why" and "q" give them.
    "Take one or more sticks from a single row; whoever takes the last stick loses. Rows are "
    "counted from 0, the row that starts with one stick. Type your move as the row and the number "
    "of sticks (\"3 2\" takes 2 sticks from row 3), hint (or ?) for a hint, why after it for the "
    "reason behind it, or q to quit.");
// The same for a game that starts from other rows, where row 0 may hold any number of sticks.
inline constexpr const char* kPlayFromStartIntroduction = text::TrNoop(
    // Translators: as the paragraph before, for a game that starts from rows the player chose.
    "Take one or more sticks from a single row; whoever takes the last stick loses. Rows are "
    "counted from 0, the bottom row of the board. Type your move as the row and the number of "
    "sticks (\"0 2\" takes 2 sticks from row 0), hint (or ?) for a hint, why after it for the "
    "reason behind it, or q to quit.");

struct PlaySettings {
    int32_t rows = engine::kDefaultRows;
    // The rows the game starts from, in place of the full rows of `rows`; none: those.
    std::vector<int32_t> start = {};
    bool computerFirst = false;
    // Write each line read after the prompt, escaped, so that a transcript of piped input reads
    // as the same session does in a terminal, where the terminal itself shows what was typed.
    bool echoInput = false;
    // A game in progress to go on with, in place of a new one of `rows`.
    std::optional<engine::SavedGame> takeUp = std::nullopt;
    // Given the game as a saved game after every move; false ends the game.
    std::function<bool(const engine::SavedGame&)> keep = nullptr;
    // The columns a line of the game's own words may take: longer ones break between words.
    size_t width = 80;
};

// What a line typed at the prompt asks for.
struct HumanInput {
    enum class Kind { Move, Hint, Why, Quit, Invalid };
    Kind kind = Kind::Invalid;
    engine::Move move;    // set for Move
    std::string problem;  // set for Invalid: one plain sentence
};

// Reads one line against the position: two integers (row, then sticks) that make a legal move,
// "hint" / "?", "why" (the reason for the hint), or "q" / "quit".
HumanInput ReadHumanInput(std::string_view line, const engine::GameEngine& game);

// "3: | | |" for row 3 of three sticks; "0:" for an empty row 0.
std::string RowText(int32_t row, int32_t sticks);

class TerminalGame {
  public:
    enum class End { HumanWon, HumanLost, Stopped };

    // Sets `game` up with the start of `settings` (the full rows of its `rows`, or its `start`),
    // or the position of the game it takes up; its table stays as it is.
    TerminalGame(engine::GameEngine& game, std::istream& in, std::ostream& out,
                 PlaySettings settings);

    // Plays until the board is empty, or until the input ends or asks to quit, or until the game
    // cannot be kept.
    End Play();

  private:
    // Writes a message of the game's, broken into lines of the settings' width.
    void Say(std::string_view text);
    void PrintBoard();
    // Reads lines until one is a legal move; false when the input ended or asked to quit.
    bool ReadMove(engine::Move& move);
    // Reads one line without its line end; false at the end of the input. A line longer than
    // any move is cut short and `tooLong` is set, the rest of it read and dropped.
    bool ReadLine(std::string& line, bool& tooLong);
    // Plays the move and gives the game so far to `keep`; false when that fails.
    bool Make(engine::Player player, engine::Move move);
    bool ComputerTurn();

    engine::GameEngine& game;
    std::istream& in;
    std::ostream& out;
    PlaySettings settings;
    engine::SavedGame saved;  // the options the file keeps, and the game so far
};

}  // namespace cli
