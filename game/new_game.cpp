#include "game/new_game.h"

namespace game {

void NewGame(CTorvelDoc& document, BoardView& view) {
    view::BoardViewState& state = view.State();
    document.engine.Resize(document.rowCountOption);
    document.engine.Reset();
    // A selection left from the last game would show on the new board and be played there.
    state.selectedRow = 0;
    state.sticksTaken = 0;
    if (!document.humanFirst) {
        state.humanToMove = false;
        view.IssuePlayCommand();
    }
    state.humanToMove = true;
    state.messageLine1.clear();
    // Moved in: assigning the literal in place draws a false -Wrestrict from GCC 12 at -O3.
    state.messageLine2 = std::string(" ");
    view.RedrawNow();
}

}  // namespace game
