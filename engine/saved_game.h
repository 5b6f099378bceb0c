// A game kept in a file: the options the next new game starts from, the rows this game started
// with and every move made since, in order, with who made it. The window's Save and Open and
// torvel-cli's `play --save` and `review` share it.
//
// The file is plain text, one item a line, words parted by spaces or tabs, lines ended by LF or
// CR LF; blank lines count for nothing:
//
//   Torvel saved game, version 1
//   options rows 4 first human        the next game: 3 to 7 rows, human or computer first
//   start 1 3 5 7                     three to seven full rows (row i holds 2i+1 sticks)
//   human 3 2                         who, the row (from 0), the sticks taken
//   computer 1 2
//   end
//
// A game that starts anywhere else (3 4 5, or a single row of 13) is written as version 2, the
// same lines under "Torvel saved game, version 2", its start one to seven rows that fit the
// seven-row game and hold a stick. A game from full rows is always version 1, so that versions
// that read only that one keep opening it; they refuse a version 2 file at its first line,
// saying that they read only version 1.
//
// A file whose first line is not the version line holds no saved game. One whose first line is
// one, but which breaks any rule (a move that is not legal where it stands, a player moving twice
// in a row, a count that does not fit, a line out of place or missing), is damaged, and the first
// problem is told with its line: a damaged file never becomes a game. Reading trusts nothing and
// sizes nothing by the file. How the file itself is read and replaced is saved_game_file.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/move.h"
#include "engine/rules.h"

namespace engine {

enum class Player { Human, Computer };

struct PlayedMove {
    Player player = Player::Human;
    Move move;
    friend bool operator==(const PlayedMove&, const PlayedMove&) = default;
};

// The game in progress: where it started and what has been played since.
struct GameRecord {
    std::vector<int32_t> start;
    std::vector<PlayedMove> moves;
    friend bool operator==(const GameRecord&, const GameRecord&) = default;
};

struct SavedGame {
    int32_t rowsOption = kDefaultRows;  // for the next new game
    bool humanFirstOption = true;
    GameRecord game;
    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

inline constexpr const char* kSavedGameFirstLine = "Torvel saved game, version 1";
inline constexpr const char* kAnyStartFirstLine = "Torvel saved game, version 2";
// Far more than the longest game (49 moves) needs.
inline constexpr size_t kMaxSavedGameBytes = 64 * 1024;

// "human" or "computer", as the file names the players.
const char* PlayerWord(Player player);

// The full rows of a game of `rowCount` rows: 1, 3, 5, ...
std::vector<int32_t> StartingRows(int32_t rowCount);

// Whether the rows are the full rows of a game of 3 to 7 rows, as New Game and `--rows` start.
bool IsFullStart(const std::vector<int32_t>& rows);

// The rows after the first `moveCount` moves of the record (all of them by default).
std::vector<int32_t> RowsAfter(const GameRecord& game, size_t moveCount = SIZE_MAX);

// Whose turn it is: the other player's after a move, the human's before any.
bool HumanToMove(const GameRecord& game);

std::string SavedGameText(const SavedGame& saved);

struct SavedGameReading {
    enum class Status { Loaded, NotASavedGame, Damaged };
    Status status = Status::NotASavedGame;
    SavedGame saved;      // when Loaded
    size_t line = 0;      // when Damaged: the 1-based line of the first problem
    std::string problem;  // when Damaged: what is wrong there, the file's words escaped
};

// Never throws; anything but a sound saved game is NotASavedGame or Damaged.
SavedGameReading ReadSavedGame(std::string_view text);

}  // namespace engine
