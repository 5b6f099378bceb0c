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
#include "engine/hint.h"
#include "engine/saved_game.h"
#include "engine/saved_game_file.h"

namespace cli {
namespace {

using engine::MovesLeft;
using engine::MovesText;
using engine::PlayerWord;
using engine::SticksFromRow;

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

std::string MoveText(const ReviewedMove& m) {
    const std::string played =
        std::string(PlayerWord(m.played.player)) + " takes " + SticksFromRow(m.played.move) + ": ";
    const std::string instead = " moves instead of " + std::to_string(MovesLeft(m.best.score)) +
                                " (taking " + SticksFromRow(m.best.move);
    switch (VerdictOf(m)) {
        case Verdict::Best:
            return played + (m.score > 0 ? "the quickest win, wins in " + MovesText(m.score)
                                         : "holds out longest, loses in " + MovesText(m.score));
        case Verdict::SlowerWin:
            return played + "wins in " + std::to_string(MovesLeft(m.score)) + instead +
                   " wins sooner)";
        case Verdict::QuickerLoss:
            return played + "loses in " + std::to_string(MovesLeft(m.score)) + instead +
                   " holds out longer)";
        case Verdict::WinGivenAway:
            return played + "gives away a won game, loses in " + MovesText(m.score) + " (taking " +
                   SticksFromRow(m.best.move) + " wins in " + MovesText(m.best.score) + ")";
    }
    return played;
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
        return UsageError{Shown(path) + " cannot be read: " +
                          ReadFailure(opened.result.Done()
                                          ? table::FileResult{table::FileOutcome::Missing}
                                          : opened.result)};
    }
    const engine::SavedGameReading& reading = opened.reading;
    if (reading.status == engine::SavedGameReading::Status::NotASavedGame) {
        return UsageError{Shown(path) + " holds no saved game (its first line is not '" +
                          engine::kSavedGameFirstLine + "')"};
    }
    if (reading.status == engine::SavedGameReading::Status::Damaged) {
        return UsageError{Shown(path) + " is damaged: line " + std::to_string(reading.line) + ": " +
                          reading.problem};
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
        return UsageFailure(rest.empty() ? "review needs the file of a saved game"
                                         : "review takes one file, not also '" + rest[1] + "'");
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
    const char* toMove = engine::HumanToMove(record) ? "human" : "computer";
    const char* winner = !over || record.moves.empty()                         ? nullptr
                         : record.moves.back().player == engine::Player::Human ? "computer"
                                                                               : "human";
    if (json) {
        std::cout << "{\"start\":" << JsonArray(record.start) << ",\"moves\":[";
        for (size_t i = 0; i < reviewed.size(); ++i) {
            std::cout << (i > 0 ? "," : "")
                      << JsonMoveText(reviewed[i], RefutationJson(refutations[i]));
        }
        std::cout << "],\"rows\":" << JsonArray(end)
                  << ",\"winner\":" << (winner ? JsonString(winner) : "null")
                  << ",\"toMove\":" << (over ? "null" : JsonString(toMove)) << ','
                  << mistakes.Json() << "}\n";
        return 0;
    }
    for (size_t i = 0; i < reviewed.size(); ++i) {
        std::cout << i + 1 << ". " << MoveText(reviewed[i]) << RefutationText(refutations[i])
                  << '\n';
    }
    if (winner != nullptr) {
        std::cout << "The " << (winner[0] == 'h' ? "computer" : "human")
                  << " took the last stick: the " << winner << " wins.\n";
    } else {
        std::cout << "The game goes on from";
        for (int32_t sticks : end) {
            std::cout << ' ' << sticks;
        }
        std::cout << ", the " << toMove << " to move.\n";
    }
    std::cout << mistakes.Text() << '\n';
    return 0;
}

}  // namespace cli
