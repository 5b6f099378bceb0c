// The texts torvel-cli adds to teach the game: `why` at the prompt of `play`, and the refutations
// and first mistakes of `review`. Each is one text of the catalogue with its words and numbers at
// placeholders (%1, %2, ...), one for each player where a player is named, so that a language
// names each in its own way.
#pragma once

#include <cstddef>

#include "engine/saved_game.h"
#include "text/translation.h"

namespace cli {

inline constexpr const char* kWhyFirst =
    text::TrNoop("Ask for a hint first (hint or ?), then why.");

// What a move that gave a won game away did: the moves left after it (%1), the move that would
// have won (%2) and in how many moves (%3); then, where the game goes on, the opponent's best
// reply (%4) and whether it came (else the move made, %5). Each pair: the human replies, then
// the computer.
inline constexpr const char* kGivenAway =
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3)");
inline constexpr const char* kGivenAwayReplyPlayed[] = {
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3); the human's best "
                 "reply, taking %4, punished it"),
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3); the computer's best "
                 "reply, taking %4, punished it")};
inline constexpr const char* kGivenAwayReplyMissed[] = {
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3); the human's best "
                 "reply was to take %4, but it took %5"),
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3); the computer's best "
                 "reply was to take %4, but it took %5")};
inline constexpr const char* kGivenAwayReplyToCome[] = {
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3); the human's best "
                 "reply is to take %4"),
    text::TrNoop("gives away a won game, loses in %1 (taking %2 wins in %3); the computer's best "
                 "reply is to take %4")};

// The line after the end of a review, one sentence for each player: the human's, the computer's.
inline constexpr const char* kFirstSlowerWin[] = {
    text::TrNoop("The human's first mistake was move %1, which made a won game longer."),
    text::TrNoop("The computer's first mistake was move %1, which made a won game longer.")};
inline constexpr const char* kFirstWinGivenAway[] = {
    text::TrNoop("The human's first mistake was move %1, which gave a won game away."),
    text::TrNoop("The computer's first mistake was move %1, which gave a won game away.")};
inline constexpr const char* kFirstQuickerLoss[] = {
    text::TrNoop("The human's first mistake was move %1, which lost sooner than it had to."),
    text::TrNoop("The computer's first mistake was move %1, which lost sooner than it had to.")};
inline constexpr const char* kNoMistake[] = {text::TrNoop("The human made no mistake."),
                                             text::TrNoop("The computer made no mistake.")};

// Each player's index in the pairs above.
constexpr size_t PlayerIndex(engine::Player player) {
    return player == engine::Player::Human ? 0 : 1;
}

}  // namespace cli
