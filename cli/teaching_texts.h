// The texts torvel-cli adds to teach the game: `why` at the prompt of `play`, and the refutations
// and first mistakes of `review`. Each is one text of the catalogue with its words and numbers at
// placeholders (%1, %2, ...), one for each player where a player is named, so that a language
// names each in its own way.
#pragma once

#include "text/translation.h"

namespace cli {

using text::TrNoop;

inline constexpr const char* kWhyFirst = TrNoop("Ask for a hint first (hint or ?), then why.");

// After a move that gave a won game away: the opponent's best reply, and whether it came. Each
// pair is the human's reply, then the computer's.
inline constexpr const char* kReplyPlayed[] = {
    TrNoop("; the human's best reply, taking %1, punished it"),
    TrNoop("; the computer's best reply, taking %1, punished it")};
inline constexpr const char* kReplyMissed[] = {
    TrNoop("; the human's best reply was to take %1, but it took %2"),
    TrNoop("; the computer's best reply was to take %1, but it took %2")};
inline constexpr const char* kReplyToCome[] = {TrNoop("; the human's best reply is to take %1"),
                                               TrNoop("; the computer's best reply is to take %1")};

// The line after the end of a review, one sentence for each player: the human's, the computer's.
inline constexpr const char* kFirstSlowerWin[] = {
    TrNoop("The human's first mistake was move %1, which made a won game longer."),
    TrNoop("The computer's first mistake was move %1, which made a won game longer.")};
inline constexpr const char* kFirstWinGivenAway[] = {
    TrNoop("The human's first mistake was move %1, which gave a won game away."),
    TrNoop("The computer's first mistake was move %1, which gave a won game away.")};
inline constexpr const char* kFirstQuickerLoss[] = {
    TrNoop("The human's first mistake was move %1, which lost sooner than it had to."),
    TrNoop("The computer's first mistake was move %1, which lost sooner than it had to.")};
inline constexpr const char* kNoMistake[] = {TrNoop("The human made no mistake."),
                                             TrNoop("The computer made no mistake.")};

}  // namespace cli
