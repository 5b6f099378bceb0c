// New Game: a fresh position in the same document, from the document's options.
#pragma once

#include "game/board_view.h"
#include "game/torvel_doc.h"

namespace game {

// Lets the document's file go (the title becomes "Untitled" and the file is left as it was),
// sets up `rowCountOption` rows of 1, 3, 5, ... sticks (the position table is kept), empties
// the pending selection, lets the computer open when it plays first (and tells the view what it
// took, which the message area does not say), then gives the human the turn with a blank message
// area and draws the board. Asks nothing; the options stay.
void NewGame(CTorvelDoc& document, BoardView& view);

}  // namespace game
