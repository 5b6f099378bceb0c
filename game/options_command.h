// The Options command: the number of rows and who plays first, for the next New Game. The game
// in progress is never touched; New Game is the only reader of the options.
#pragma once

#include "game/options_dialog.h"
#include "game/torvel_doc.h"
#include "game/turn_state.h"

namespace game {

// Runs the dialog; on OK copies its choices into the document's options and shows the
// Warning. The first message line is blanked whatever the result, to show at the next drawing.
void OptionsCommand(CTorvelDoc& document, TurnState& state, COptionsDlg& dialog);

}  // namespace game
