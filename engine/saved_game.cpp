#include "engine/saved_game.h"

#include <algorithm>
#include <optional>

#include "text/decimal.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace engine {
namespace {

using text::Fill;
using text::Tr;
using text::TrN;

std::optional<Player> PlayerOf(std::string_view word) {
    if (word == "human") {
        return Player::Human;
    }
    if (word == "computer") {
        return Player::Computer;
    }
    return std::nullopt;
}

// A word as the file gives it, shown back escaped within quotes; at most a few bytes of it.
std::string Quoted(std::string_view word) {
    std::string text(1, '\'');
    text += text::EscapedName(word.substr(0, 20));
    return text += word.size() > 20 ? "...'" : "'";
}

// The lines of a saved game after the first, read one at a time; blank lines are skipped.
class Reader {
  public:
    explicit Reader(std::string_view text) : rest(text) {}

    // The words of the next line that has any; false at the end of the text.
    bool Next(std::vector<std::string_view>& words) {
        while (!rest.empty()) {
            const size_t end = rest.find('\n');
            words = text::Words(rest.substr(0, end));
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            ++line;
            if (!words.empty()) {
                return true;
            }
        }
        return false;
    }
    size_t Line() const { return line; }

  private:
    std::string_view rest;
    size_t line = 1;  // the version line has been read
};

// Checks one move line against the position; empty when it is legal.
std::string MoveProblem(const std::vector<std::string_view>& words,
                        const std::vector<int32_t>& rows, PlayedMove& played) {
    const std::optional<Player> player = PlayerOf(words[0]);
    if (!player || words.size() != 3) {
        // Translators: the file's own words (human, computer, end, options, rows, first, start)
        // stay English in every problem of a saved game: they are what the file must hold.
        return Tr("expected a move (human or computer, the row, the sticks taken) or the end line");
    }
    if (std::all_of(rows.begin(), rows.end(), [](int32_t s) { return s == 0; })) {
        return Tr("the game was over: the last stick had been taken");
    }
    int32_t row = 0;
    int32_t sticks = 0;
    const int32_t rowCount = static_cast<int32_t>(rows.size());
    if (text::ReadDecimal(words[1], row) != text::DecimalStatus::Ok || row < 0 || row >= rowCount) {
        return Fill(Tr("there is no row %1: the rows are 0 to %2"),
                    {Quoted(words[1]), rowCount - 1});
    }
    if (text::ReadDecimal(words[2], sticks) != text::DecimalStatus::Ok || sticks < 1) {
        return Fill(Tr("a move takes one or more sticks, not %1"), {Quoted(words[2])});
    }
    const int32_t held = rows[static_cast<size_t>(row)];
    if (sticks > held) {
        return held == 0 ? Fill(Tr("row %1 is empty"), {row})
                         : Fill(TrN("row %1 has only %2 stick", "row %1 has only %2 sticks", held),
                                {row, held});
    }
    played = {*player, Move{row, sticks}};
    return {};
}

// The options line: "options rows N first human|computer".
std::string OptionsProblem(const std::vector<std::string_view>& words, SavedGame& saved) {
    int32_t rows = 0;
    if (words.size() != 5 || words[0] != "options" || words[1] != "rows" || words[3] != "first") {
        return Tr("expected the options line: options rows N first human|computer");
    }
    if (text::ReadDecimal(words[2], rows) != text::DecimalStatus::Ok || rows < kFewestRows ||
        rows > kMostRows) {
        return Fill(Tr("the next game's rows must be 3 to 7, not %1"), {Quoted(words[2])});
    }
    const std::optional<Player> first = PlayerOf(words[4]);
    if (!first) {
        return Fill(Tr("the first player must be human or computer, not %1"), {Quoted(words[4])});
    }
    saved.rowsOption = rows;
    saved.humanFirstOption = *first == Player::Human;
    return {};
}

// The start line of a game from any position: "start 3 4 5", one to seven rows that fit the
// seven-row game, with a stick left to take.
std::string AnyStartProblem(const std::vector<std::string_view>& words, SavedGame& saved) {
    const size_t rowCount = words.size() - 1;
    if (rowCount < 1 || rowCount > static_cast<size_t>(kMostRows)) {
        return Fill(Tr("a game starts with 1 to 7 rows, not %1"), {rowCount});
    }
    std::vector<int32_t> rows;
    for (size_t i = 0; i < rowCount; ++i) {
        int32_t sticks = 0;
        if (text::ReadDecimal(words[i + 1], sticks) == text::DecimalStatus::Malformed ||
            sticks < 0) {
            return Fill(Tr("row %1 must start with a number of sticks, not %2"),
                        {i, Quoted(words[i + 1])});
        }
        rows.push_back(sticks);  // one beyond the 32-bit range is held there: it does not fit
    }
    if (const std::optional<int32_t> tooLong = RowThatDoesNotFit(rows)) {
        const size_t at =
            static_cast<size_t>(std::find(rows.begin(), rows.end(), *tooLong) - rows.begin());
        return Fill(Tr("row %1 cannot start with %2 sticks: largest first, the rows must fit "
                       "under 13, 11, 9, 7, 5, 3 and 1 sticks"),
                    {at, Quoted(words[at + 1])});
    }
    if (std::all_of(rows.begin(), rows.end(), [](int32_t s) { return s == 0; })) {
        return Tr("the position is empty: there is no move to make");
    }
    saved.game.start = std::move(rows);
    return {};
}

// The start line: "start 1 3 5 ..." for three to seven full rows, or any start in version 2.
std::string StartProblem(const std::vector<std::string_view>& words, bool anyStart,
                         SavedGame& saved) {
    const size_t rowCount = words.size() - 1;
    if (words[0] != "start") {
        return Tr("expected the start line: start 1 3 5 ...");
    }
    if (anyStart) {
        return AnyStartProblem(words, saved);
    }
    if (rowCount < static_cast<size_t>(kFewestRows) || rowCount > static_cast<size_t>(kMostRows)) {
        return Fill(Tr("a game starts with 3 to 7 rows, not %1"), {rowCount});
    }
    for (size_t i = 0; i < rowCount; ++i) {
        int32_t sticks = 0;
        const int32_t full = StartingSticks(static_cast<int32_t>(i));
        if (text::ReadDecimal(words[i + 1], sticks) != text::DecimalStatus::Ok || sticks != full) {
            return Fill(TrN("row %1 starts with %2 sticks, not %3",
                            "row %1 starts with %2 sticks, not %3", full),
                        {i, full, Quoted(words[i + 1])});
        }
    }
    saved.game.start = StartingRows(static_cast<int32_t>(rowCount));
    return {};
}

// The first line with no line end, no trailing blanks and no byte-order mark.
std::string_view FirstLine(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::string_view line = text.substr(0, text.find('\n'));
    while (!line.empty() && text::IsSpace(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

const char* PlayerWord(Player player) {
    return player == Player::Human ? "human" : "computer";
}

std::vector<int32_t> StartingRows(int32_t rowCount) {
    std::vector<int32_t> rows;
    for (int32_t i = 0; i < rowCount; ++i) {
        rows.push_back(StartingSticks(i));
    }
    return rows;
}

bool IsFullStart(const std::vector<int32_t>& rows) {
    return rows.size() >= static_cast<size_t>(kFewestRows) &&
           rows.size() <= static_cast<size_t>(kMostRows) &&
           rows == StartingRows(static_cast<int32_t>(rows.size()));
}

std::vector<int32_t> RowsAfter(const GameRecord& game, size_t moveCount) {
    std::vector<int32_t> rows = game.start;
    for (size_t i = 0; i < std::min(moveCount, game.moves.size()); ++i) {
        const Move& m = game.moves[i].move;
        if (m.row >= 0 && static_cast<size_t>(m.row) < rows.size() && m.number >= 0 &&
            m.number <= rows[static_cast<size_t>(m.row)]) {
            rows[static_cast<size_t>(m.row)] -= m.number;
        }
    }
    return rows;
}

bool HumanToMove(const GameRecord& game) {
    return game.moves.empty() || game.moves.back().player == Player::Computer;
}

std::string SavedGameText(const SavedGame& saved) {
    std::string text = IsFullStart(saved.game.start) ? kSavedGameFirstLine : kAnyStartFirstLine;
    text += "\noptions rows " + std::to_string(saved.rowsOption) + " first " +
            PlayerWord(saved.humanFirstOption ? Player::Human : Player::Computer) + "\nstart";
    for (int32_t sticks : saved.game.start) {
        text += ' ' + std::to_string(sticks);
    }
    text += '\n';
    for (const PlayedMove& played : saved.game.moves) {
        text += std::string(PlayerWord(played.player)) + ' ' + std::to_string(played.move.row) +
                ' ' + std::to_string(played.move.number) + '\n';
    }
    return text + "end\n";
}

SavedGameReading ReadSavedGame(std::string_view text) {
    SavedGameReading reading;
    const std::string_view first = FirstLine(text);
    if (!first.starts_with("Torvel saved game")) {
        return reading;
    }
    reading.status = SavedGameReading::Status::Damaged;
    auto damaged = [&reading](size_t line, std::string problem) {
        reading.line = line;
        reading.problem = std::move(problem);
        return reading;
    };
    const bool anyStart = first == kAnyStartFirstLine;
    if (first != kSavedGameFirstLine && !anyStart) {
        return damaged(1, Fill(Tr("this Torvel reads only versions 1 and 2 of saved games: \"%1\" "
                                  "and \"%2\""),
                               {kSavedGameFirstLine, kAnyStartFirstLine}));
    }
    if (text.size() > kMaxSavedGameBytes) {
        const auto cut = text.begin() + static_cast<ptrdiff_t>(kMaxSavedGameBytes);
        return damaged(1 + static_cast<size_t>(std::count(text.begin(), cut, '\n')),
                       Tr("the file is larger than any saved game"));
    }
    const size_t firstEnd = text.find('\n');
    Reader reader(firstEnd == std::string_view::npos ? std::string_view()
                                                     : text.substr(firstEnd + 1));
    std::vector<std::string_view> words;
    SavedGame& saved = reading.saved;
    const char* missing = Tr("the file ends before its options line");
    if (!reader.Next(words)) {
        return damaged(reader.Line(), missing);
    }
    if (std::string problem = OptionsProblem(words, saved); !problem.empty()) {
        return damaged(reader.Line(), problem);
    }
    if (!reader.Next(words)) {
        return damaged(reader.Line(), Tr("the file ends before its start line"));
    }
    if (std::string problem = StartProblem(words, anyStart, saved); !problem.empty()) {
        return damaged(reader.Line(), problem);
    }
    std::vector<int32_t> rows = saved.game.start;
    while (true) {
        if (!reader.Next(words)) {
            return damaged(reader.Line(), Tr("the file ends before its end line"));
        }
        if (words.size() == 1 && words[0] == "end") {
            break;
        }
        PlayedMove played;
        if (std::string problem = MoveProblem(words, rows, played); !problem.empty()) {
            return damaged(reader.Line(), problem);
        }
        if (!saved.game.moves.empty() && saved.game.moves.back().player == played.player) {
            return damaged(reader.Line(),
                           played.player == Player::Human
                               ? Tr("the human moves twice in a row: the players take turns")
                               : Tr("the computer moves twice in a row: the players take turns"));
        }
        rows[static_cast<size_t>(played.move.row)] -= played.move.number;
        saved.game.moves.push_back(played);
    }
    const size_t endLine = reader.Line();
    if (reader.Next(words)) {
        return damaged(reader.Line(),
                       Fill(Tr("nothing may follow the end line (line %1)"), {endLine}));
    }
    reading.status = SavedGameReading::Status::Loaded;
    return reading;
}

}  // namespace engine
