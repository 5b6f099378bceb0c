// The texts torvel-cli adds to teach the game: `why` at the prompt of `play`, and the refutations
// and first mistakes of `review`. Each is one template with its words and numbers at placeholders
// ({1}, {2}, ...), filled by engine::Fill.
#pragma once

#include <string_view>

namespace cli {

inline constexpr std::string_view kWhyFirst = "Ask for a hint first (hint or ?), then why.";

// After a move that gave a won game away: the opponent's best reply, and whether it came.
inline constexpr std::string_view kReplyPlayed = "; the {1}'s best reply, taking {2}, punished it";
inline constexpr std::string_view kReplyMissed =
    "; the {1}'s best reply was to take {2}, but it took {3}";
inline constexpr std::string_view kReplyToCome = "; the {1}'s best reply is to take {2}";

// The line after the end of a review, one sentence for each player.
inline constexpr std::string_view kFirstSlowerWin =
    "The {1}'s first mistake was move {2}, which made a won game longer.";
inline constexpr std::string_view kFirstWinGivenAway =
    "The {1}'s first mistake was move {2}, which gave a won game away.";
inline constexpr std::string_view kFirstQuickerLoss =
    "The {1}'s first mistake was move {2}, which lost sooner than it had to.";
inline constexpr std::string_view kNoMistake = "The {1} made no mistake.";

}  // namespace cli
