#include "cli/refutation.h"

#include "cli/json.h"
#include "cli/teaching_texts.h"
#include "engine/advice.h"
#include "engine/turn_texts.h"

namespace cli {

using text::Fill;
using text::Tr;

std::optional<Refutation> Refute(engine::GameEngine& game, const engine::GameRecord& record,
                                 size_t i) {
    game.SetRows(engine::RowsAfter(record, i + 1));
    const std::optional<engine::ScoredMove> reply = engine::BestMove(game);
    if (!reply) {
        return std::nullopt;
    }
    Refutation refutation;
    refutation.by = record.moves[i].player == engine::Player::Human ? engine::Player::Computer
                                                                    : engine::Player::Human;
    refutation.reply = *reply;
    if (i + 1 < record.moves.size()) {
        refutation.next = record.moves[i + 1].move;
    }
    return refutation;
}

std::string GivenAwayText(int32_t score, const engine::ScoredMove& best,
                          const std::optional<Refutation>& refutation) {
    const std::string loses = engine::MovesText(score);
    const std::string winning = engine::SticksFromRow(best.move);
    const std::string wins = engine::MovesText(best.score);
    if (!refutation) {
        return Fill(Tr(kGivenAway), {loses, winning, wins});
    }
    const size_t by = PlayerIndex(refutation->by);
    const std::string reply = engine::SticksFromRow(refutation->reply.move);
    if (!refutation->next) {
        return Fill(Tr(kGivenAwayReplyToCome[by]), {loses, winning, wins, reply});
    }
    return *refutation->next == refutation->reply.move
               ? Fill(Tr(kGivenAwayReplyPlayed[by]), {loses, winning, wins, reply})
               : Fill(Tr(kGivenAwayReplyMissed[by]),
                      {loses, winning, wins, reply, engine::SticksFromRow(*refutation->next)});
}

std::string RefutationJson(const std::optional<Refutation>& refutation) {
    if (!refutation) {
        return {};
    }
    const char* played = !refutation->next                             ? "null"
                         : *refutation->next == refutation->reply.move ? "true"
                                                                       : "false";
    return ",\"refutation\":{" + JsonMove(refutation->reply.move) + ',' +
           JsonScore(refutation->reply.score) + ",\"played\":" + played + '}';
}

void FirstMistakes::Note(engine::Player player, size_t number, Verdict verdict) {
    std::optional<Mistake>& first = player == engine::Player::Human ? human : computer;
    if (!first && verdict != Verdict::Best) {
        first = Mistake{number, verdict};
    }
}

std::string FirstMistakes::Text() const {
    std::vector<std::string> sentences;
    for (const engine::Player player : {engine::Player::Human, engine::Player::Computer}) {
        const std::optional<Mistake>& first = player == engine::Player::Human ? human : computer;
        const size_t who = PlayerIndex(player);
        if (!first) {
            sentences.push_back(Tr(kNoMistake[who]));
            continue;
        }
        const char* pattern = first->verdict == Verdict::SlowerWin      ? kFirstSlowerWin[who]
                              : first->verdict == Verdict::WinGivenAway ? kFirstWinGivenAway[who]
                                                                        : kFirstQuickerLoss[who];
        sentences.push_back(Fill(Tr(pattern), {first->number}));
    }
    return text::Sentences(sentences);
}

std::string FirstMistakes::Json() const {
    const auto number = [](const std::optional<Mistake>& first) {
        return first ? std::to_string(first->number) : std::string("null");
    };
    return "\"firstMistakes\":{\"human\":" + number(human) + ",\"computer\":" + number(computer) +
           '}';
}

}  // namespace cli
