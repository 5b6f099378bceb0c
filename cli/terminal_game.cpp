#include "cli/terminal_game.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

#include "cli/teaching_texts.h"
#include "engine/advice.h"
#include "engine/rules.h"
#include "engine/turn_texts.h"
#include "text/columns.h"
#include "text/decimal.h"
#include "text/escaped_name.h"
#include "text/utf8.h"

namespace cli {
namespace {

using text::Fill;
using text::Tr;
using text::TrN;
using text::TrNoop;

constexpr const char* kPrompt = TrNoop("Your move: ");
constexpr const char* kTakenUpText = TrNoop("The game kept in the file goes on where it stopped.");
constexpr const char* kNotAMove =
    TrNoop("Type the row and the number of sticks as two numbers, for example 3 2, or q to quit.");

// Whether `word` is the English word or the one of the user's language. The English words work in
// every language.
bool Means(std::string_view word, const char* english) {
    return word == english || word == Tr(english);
}

// No move needs more than a few characters; anything past this is not read into memory.
constexpr size_t kLongestLine = 200;

// A decimal integer with an optional sign. Values too large for a row or a count are held at
// the 32-bit bounds, far beyond any board, which is all the checks need to know about them.
bool ParseInteger(std::string_view word, int32_t& value) {
    return text::ReadDecimal(word, value, true) != text::DecimalStatus::Malformed;
}

}  // namespace

HumanInput ReadHumanInput(std::string_view line, const engine::GameEngine& game) {
    HumanInput input;
    const std::string narrow = text::NarrowForms(line);  // "３　２" as an input method types it
    const std::vector<std::string_view> words = text::Words(narrow);
    // Translators: the words typed at the prompt of play, one word each, lower case: q or quit
    // to end the game, hint for a hint, why for the reason behind it.
    const char* quit[] = {TrNoop("q"), TrNoop("quit")};
    if (words.size() == 1 && (Means(words[0], quit[0]) || Means(words[0], quit[1]))) {
        input.kind = HumanInput::Kind::Quit;
        return input;
    }
    if (words.size() == 1 && (Means(words[0], TrNoop("hint")) || words[0] == "?")) {
        input.kind = HumanInput::Kind::Hint;
        return input;
    }
    if (words.size() == 1 && Means(words[0], TrNoop("why"))) {
        input.kind = HumanInput::Kind::Why;
        return input;
    }
    int32_t row = 0;
    int32_t number = 0;
    if (words.size() != 2 || !ParseInteger(words[0], row) || !ParseInteger(words[1], number)) {
        input.problem = Tr(kNotAMove);
        return input;
    }
    const int32_t rowCount = game.GetRowCount();
    if (row < 0 || row >= rowCount) {
        input.problem =
            Fill(Tr("There is no row %1: the rows are 0 to %2."), {words[0], rowCount - 1});
        return input;
    }
    const int32_t sticks = game.GetSticks(row);
    if (number < 1) {
        input.problem = Tr("Take at least one stick.");
        return input;
    }
    if (number > sticks) {
        input.problem =
            sticks == 0
                ? Fill(Tr("Row %1 is empty."), {row})
                : Fill(TrN("Row %1 has only %2 stick.", "Row %1 has only %2 sticks.", sticks),
                       {row, sticks});
        return input;
    }
    input.kind = HumanInput::Kind::Move;
    input.move.Set(row, number);
    return input;
}

std::string RowText(int32_t row, int32_t sticks) {
    std::string text = std::to_string(row) + ":";
    for (int32_t k = 0; k < sticks; ++k) {
        text += " |";
    }
    return text;
}

TerminalGame::TerminalGame(engine::GameEngine& engineToPlay, std::istream& input,
                           std::ostream& output, PlaySettings playSettings)
    : game(engineToPlay), in(input), out(output), settings(std::move(playSettings)) {
    game.Resize(settings.rows);
    game.Reset();
    if (!settings.start.empty()) {
        game.SetRows(settings.start);
    }
    saved = {settings.rows, !settings.computerFirst, {game.GetRows(), {}}};
    if (settings.takeUp) {
        saved = *settings.takeUp;
        game.SetRows(engine::RowsAfter(saved.game));
    }
}

TerminalGame::End TerminalGame::Play() {
    Say(Tr(engine::IsFullStart(saved.game.start) ? kPlayIntroduction : kPlayFromStartIntroduction));
    if (settings.takeUp) {
        Say(Tr(kTakenUpText));
    }
    PrintBoard();
    const bool computerToMove =
        settings.takeUp ? !engine::HumanToMove(saved.game) : settings.computerFirst;
    if (computerToMove && !ComputerTurn()) {
        return End::Stopped;
    }
    while (true) {
        engine::Move move;
        if (!ReadMove(move) || !Make(engine::Player::Human, move)) {
            return End::Stopped;
        }
        PrintBoard();
        if (game.IsEmpty()) {
            Say(Tr(engine::kHumanLostText));
            out << std::flush;
            return End::HumanLost;
        }
        if (!ComputerTurn()) {
            return End::Stopped;
        }
        if (game.IsEmpty()) {
            Say(Tr(engine::kHumanWonText));
            out << std::flush;
            return End::HumanWon;
        }
    }
}

void TerminalGame::Say(std::string_view text) {
    out << text::Wrapped(text, settings.width) << '\n';
}

bool TerminalGame::Make(engine::Player player, engine::Move move) {
    if (game.ApplyMove(move)) {
        saved.game.moves.push_back({player, move});
    }
    return !settings.keep || settings.keep(saved);
}

void TerminalGame::PrintBoard() {
    out << '\n';
    for (int32_t row = game.GetRowCount() - 1; row >= 0; --row) {
        out << RowText(row, game.GetSticks(row)) << '\n';
    }
    out << '\n';
}

bool TerminalGame::ReadMove(engine::Move& move) {
    std::optional<engine::Advice> advice;  // the hint asked for in this position
    while (true) {
        out << Tr(kPrompt) << std::flush;
        std::string line;
        bool tooLong = false;
        if (!ReadLine(line, tooLong)) {
            out << std::endl;  // ends the prompt's line
            return false;
        }
        if (settings.echoInput) {
            out << text::EscapedName(line) << (tooLong ? "..." : "") << '\n';
        }
        if (tooLong) {
            Say(Tr(kNotAMove));
            continue;
        }
        const HumanInput input = ReadHumanInput(line, game);
        switch (input.kind) {
            case HumanInput::Kind::Quit:
                return false;
            case HumanInput::Kind::Move:
                move = input.move;
                return true;
            case HumanInput::Kind::Hint:
                advice = engine::Advise(game);
                Say(advice->Hint());
                break;
            case HumanInput::Kind::Why:
                Say(advice && advice->best ? advice->Why() : std::string(Tr(kWhyFirst)));
                break;
            case HumanInput::Kind::Invalid:
                Say(input.problem);
                break;
        }
    }
}

bool TerminalGame::ReadLine(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    char c = 0;
    bool readAny = false;
    while (in.get(c)) {
        readAny = true;
        if (c == '\n') {
            break;
        }
        if (line.size() < kLongestLine) {
            line += c;
        } else {
            tooLong = true;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return readAny;
}

bool TerminalGame::ComputerTurn() {
    Say(Tr(engine::kThinkingText));
    out << std::flush;
    const engine::Move move = game.ChooseMove();
    const bool kept = Make(engine::Player::Computer, move);
    Say(engine::ComputerTookText(move));
    PrintBoard();
    out << std::flush;
    return kept;
}

}  // namespace cli
