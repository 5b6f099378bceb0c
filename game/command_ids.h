// The program's own command numbers, shared by the game control, the board view and the
// shell's resource table. The framework's standard numbers (new, open, print, ...) are in
// framework/standard_ids.h.
#pragma once

#include "framework/standard_ids.h"

namespace game {

using framework::CommandId;

// Plays one move, the human's selection or the computer's reply; issued only by the view and
// by New Game, never from a menu.
inline constexpr CommandId kPlayCommand = 666;

inline constexpr CommandId kOptionsCommand = 32771;
inline constexpr CommandId kCurvatureOfTimeCommand = 32772;
inline constexpr CommandId kSpaceTimeCommand = 32773;
inline constexpr CommandId kInstructionsCommand = 32775;
// The Messages commands; their numbers are also the hints the views receive.
inline constexpr CommandId kMessagesHiddenCommand = 32778;
inline constexpr CommandId kMessagesShowCommand = 32779;
inline constexpr CommandId kLegalCommand = 32780;

}  // namespace game
