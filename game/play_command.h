// The Play command (number 666): the one place where moves are made on the position.
//
// The view receives it through its own command routing (CTorvelView::OnCmdMsg) and calls
// `PlayCommand` before handing the command on to the standard routing. It is issued by the
// view when the human releases the left button over the drawn Play button, and again in the
// same release for the computer's reply; and by New Game when the computer plays first.
//
// Each run plays exactly one move, chosen by whose turn the view records:
//
//   human to move     the pending selection is played (humanToMove becomes false)
//   computer to move  the computer searches and replies (humanToMove becomes true)
//   human lost        (humanToMove false, board empty) nothing
//   human won         (humanToMove true, board empty) nothing
//
// The board is drawn at once after every change, before anything else happens: the search runs
// on this thread and nothing would be painted until it ended, so "The computer is thinking."
// must be on the screen before the search starts.
#pragma once

#include "game/board_view.h"
#include "game/torvel_doc.h"

namespace game {

void PlayCommand(CTorvelDoc& document, BoardView& view);

}  // namespace game
