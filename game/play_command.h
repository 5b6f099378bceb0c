// The Play command (number 666): the one place where moves are made on the position.
//
// The view receives it through its own command routing (CTorvelView::OnCmdMsg) and calls
// `PlayCommand` before handing the command on to the standard routing. It is issued by the
// view when the human releases the left button over the drawn Play button, and by New Game
// when the computer plays first.
//
// Turn sequencing is not built yet: for now the command plays nothing and the position, the
// selection, the turn and the messages stay as they are. It is to play the human's pending
// selection or the computer's reply according to `humanToMove`, redraw between its steps, and
// write the end-of-game messages.
#pragma once

#include "game/board_view.h"
#include "game/torvel_doc.h"

namespace game {

void PlayCommand(CTorvelDoc& document, BoardView& view);

}  // namespace game
