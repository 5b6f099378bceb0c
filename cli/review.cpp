// `review`: a saved game move by move. Each move is weighed against the best move of the
// position it was made in, the one the computer would have played there: the best (the quickest
// win, or the loss that holds out longest), a win kept but made longer, a won game given away,
// or a loss made shorter. A won game given away is shown with the reply that punishes it, and the
// first mistake of each player closes the review (refutation.h). Positions are searched as
// `analyze` searches them, with the base file.

#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/refutation.h"
#include "engine/game_engine.h"
#include "engine/saved_game.h"
#include "engine/saved_game_file.h"
#include "engine/turn_texts.h"
#include "files/failure_text.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace cli {
namespace {

using engine::MovesLeft;
using engine::MovesText;
using engine::PlayerWord;
using engine::SticksFromRow;
using text::Fill;
using text::Tr;
using text::TrN;

struct ReviewedMove {
    engine::PlayedMove played;
    std::vector<int32_t> rows;  // before the move
    int32_t score = 0;          // of the move, for its player
    engine::ScoredMove best;    // the computer's choice in those rows
};

Verdict VerdictOf(const ReviewedMove& m) {
    if (m.score == m.best.score) {
        return Verdict::Best;
    }
    if (m.best.score < 0) {
        return Verdict::QuickerLoss;
    }
    return m.score > 0 ? Verdict::SlowerWin : Verdict::WinGivenAway;
}

// What the move did to its player's outcome, against the best move there; a won game given away
// with the reply that punishes it.
std::string VerdictText(const ReviewedMove& m, const std::optional<Refutation>& refutation) {
    const int32_t left = MovesLeft(m.score);
    const int32_t bestLeft = MovesLeft(m.best.score);
    switch (VerdictOf(m)) {
        case Verdict::Best:
            return Fill(m.score > 0 ? Tr("the quickest win, wins in %1")
                                    : Tr("holds out longest, loses in %1"),
                        {MovesText(m.score)});
        case Verdict::SlowerWin:
            // Translators: the moves left after this move, after the best one, and the best move.
            // English says "moves" whatever the count.
            return Fill(TrN("wins in %1 moves instead of %2 (taking %3 wins sooner)",
                            "wins in %1 moves instead of %2 (taking %3 wins sooner)", left),
                        {left, bestLeft, SticksFromRow(m.best.move)});
        case Verdict::QuickerLoss:
            return Fill(TrN("loses in %1 moves instead of %2 (taking %3 holds out longer)",
                            "loses in %1 moves instead of %2 (taking %3 holds out longer)", left),
                        {left, bestLeft, SticksFromRow(m.best.move)});
        case Verdict::WinGivenAway:
            return GivenAwayText(m.score, m.best, refutation);
    }
    return {};
}

// "3. human takes 1 stick from row 1: loses in 11 moves instead of 13 (...)": the move's number
// in the game first.
std::string MoveText(size_t number, const ReviewedMove& m,
                     const std::optional<Refutation>& refutation) {
    // Translators: the move's number in the game, its player and what it took, then what the
    // move did.
    return Fill(m.played.player == engine::Player::Human ? Tr("%1. human takes %2: %3")
                                                         : Tr("%1. computer takes %2: %3"),
                {number, SticksFromRow(m.played.move), VerdictText(m, refutation)});
}

std::string JsonMoveText(const ReviewedMove& m, const std::string& refutation) {
    const char* verdicts[] = {"best", "slowerWin", "winGivenAway", "quickerLoss"};
    return "{\"player\":" + JsonString(PlayerWord(m.played.player)) +
           ",\"rows\":" + JsonArray(m.rows) + ',' + JsonMove(m.played.move) + ',' +
           JsonScore(m.score) +
           ",\"verdict\":" + JsonString(verdicts[static_cast<int>(VerdictOf(m))]) + ",\"best\":{" +
           JsonMove(m.best.move) + ',' + JsonScore(m.best.score) + '}' + refutation + '}';
}

// Reads the saved game at `path`; a message when it cannot be reviewed.
std::optional<UsageError> ReadGame(const std::string& path, engine::SavedGame& saved) {
    engine::SavedGameFile file;
    const engine::SavedGameFile::Opened opened = file.Open(path);
    if (!opened.result.Done() || opened.content == engine::SavedGameFile::Content::Nothing) {
        return UsageError{
            Fill(Tr("%1 cannot be read: %2"),
                 {text::Quoted(text::Quotes::Single, path),
                  files::FailureText(opened.result.Done()
                                         ? files::FileResult{files::FileOutcome::Missing}
                                         : opened.result,
                                     files::Wording::Phrase)})};
    }
    const engine::SavedGameReading& reading = opened.reading;
    if (reading.status == engine::SavedGameReading::Status::NotASavedGame) {
        return UsageError{
            Fill(Tr("%1 holds no saved game (its first line is not '%2')"),
                 {text::Quoted(text::Quotes::Single, path), engine::kSavedGameFirstLine})};
    }
    if (reading.status == engine::SavedGameReading::Status::Damaged) {
        return UsageError{
            Fill(Tr("%1 is damaged: line %2: %3"),
                 {text::Quoted(text::Quotes::Single, path), reading.line, reading.problem})};
    }
    saved = reading.saved;
    return std::nullopt;
}

}  // namespace

int RunReview(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    BaseOption base;
    if (auto error = TakeBaseOption(rest, base)) {
        return UsageFailure(error->message);
    }
    const bool json = TakeFlag(rest, "--json");
    if (auto error = RejectOptions(rest)) {
        return UsageFailure(error->message);
    }
    if (rest.size() != 1) {
        return UsageFailure(rest.empty() ? std::string(Tr("review needs the file of a saved game"))
                                         : Fill(Tr("review takes one file, not also '%1'"),
                                                {text::EscapedName(rest[1])}));
    }
    engine::SavedGame saved;
    if (auto error = ReadGame(rest[0], saved)) {
        return UsageFailure(error->message);
    }
    const engine::GameRecord& record = saved.game;
    engine::GameEngine game(OpenTable(base));
    std::vector<ReviewedMove> reviewed;
    for (size_t i = 0; i < record.moves.size(); ++i) {
        ReviewedMove m{record.moves[i], engine::RowsAfter(record, i), 0, {}};
        game.SetRows(m.rows);
        const std::vector<engine::ScoredMove> moves = game.ScoreMoves();
        const engine::Move chosen = engine::ChosenMove(moves);
        for (const engine::ScoredMove& scored : moves) {
            m.score = scored.move == m.played.move ? scored.score : m.score;
            m.best = scored.move == chosen ? scored : m.best;
        }
        reviewed.push_back(m);
    }
    std::vector<std::optional<Refutation>> refutations;
    FirstMistakes mistakes;
    for (size_t i = 0; i < reviewed.size(); ++i) {
        const Verdict verdict = VerdictOf(reviewed[i]);
        refutations.push_back(verdict == Verdict::WinGivenAway ? Refute(game, record, i)
                                                               : std::nullopt);
        mistakes.Note(reviewed[i].played.player, i + 1, verdict);
    }
    game.GetTable()->Sync();
    const std::vector<int32_t> end = engine::RowsAfter(record);
    const bool over = std::all_of(end.begin(), end.end(), [](int32_t s) { return s == 0; });
    const engine::Player toMove =
        engine::HumanToMove(record) ? engine::Player::Human : engine::Player::Computer;
    // Whoever took the last stick loses.
    std::optional<engine::Player> winner;
    if (over && !record.moves.empty()) {
        winner = record.moves.back().player == engine::Player::Human ? engine::Player::Computer
                                                                     : engine::Player::Human;
    }
    if (json) {
        std::cout << "{\"start\":" << JsonArray(record.start) << ",\"moves\":[";
        for (size_t i = 0; i < reviewed.size(); ++i) {
            std::cout << (i > 0 ? "," : "")
                      << JsonMoveText(reviewed[i], RefutationJson(refutations[i]));
        }
        std::cout << "],\"rows\":" << JsonArray(end)
                  << ",\"winner\":" << (winner ? JsonString(PlayerWord(*winner)) : "null")
                  << ",\"toMove\":" << (over ? "null" : JsonString(PlayerWord(toMove))) << ','
                  << mistakes.Json() << "}\n";
        return 0;
    }
    for (size_t i = 0; i < reviewed.size(); ++i) {
        std::cout << MoveText(i + 1, reviewed[i], refutations[i]) << '\n';
    }
    if (winner) {
        std::cout << (*winner == engine::Player::Human
                          ? Tr("The computer took the last stick: the human wins.")
                          : Tr("The human took the last stick: the computer wins."))
                  << '\n';
    } else {
        // Translators: the sticks in each row, row 0 first ("1 3 5 7").
        std::cout << Fill(toMove == engine::Player::Human
                              ? Tr("The game goes on from %1, the human to move.")
                              : Tr("The game goes on from %1, the computer to move."),
                          {PositionText(end)})
                  << '\n';
    }
    std::cout << mistakes.Text() << '\n';
    return 0;
}

}  // namespace cli
