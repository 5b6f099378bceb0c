#include "cli/refutation.h"

#include "cli/json.h"
#include "cli/teaching_texts.h"
#include "engine/hint.h"
#include "engine/lesson_texts.h"

namespace cli {

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

std::string RefutationText(const std::optional<Refutation>& refutation) {
    if (!refutation) {
        return {};
    }
    const std::string by = engine::PlayerWord(refutation->by);
    const std::string reply = engine::SticksFromRow(refutation->reply.move);
    if (!refutation->next) {
        return engine::Fill(kReplyToCome, {by, reply});
    }
    return *refutation->next == refutation->reply.move
               ? engine::Fill(kReplyPlayed, {by, reply})
               : engine::Fill(kReplyMissed, {by, reply, engine::SticksFromRow(*refutation->next)});
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
    std::string text;
    for (const engine::Player player : {engine::Player::Human, engine::Player::Computer}) {
        const std::optional<Mistake>& first = player == engine::Player::Human ? human : computer;
        const std::string who = engine::PlayerWord(player);
        text += text.empty() ? "" : " ";
        if (!first) {
            text += engine::Fill(kNoMistake, {who});
            continue;
        }
        const std::string_view pattern = first->verdict == Verdict::SlowerWin ? kFirstSlowerWin
                                         : first->verdict == Verdict::WinGivenAway
                                             ? kFirstWinGivenAway
                                             : kFirstQuickerLoss;
        text += engine::Fill(pattern, {who, std::to_string(first->number)});
    }
    return text;
}

std::string FirstMistakes::Json() const {
    const auto number = [](const std::optional<Mistake>& first) {
        return first ? std::to_string(first->number) : std::string("null");
    };
    return "\"firstMistakes\":{\"human\":" + number(human) + ",\"computer\":" + number(computer) +
           '}';
}

}  // namespace cli
