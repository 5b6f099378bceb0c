#include "game/new_game.h"

#include "engine/turn_texts.h"

namespace game {

void NewGame(CTorvelDoc& document, BoardView& view) {
    TurnState& state = view.State();
    // A new game, not a new version of the one in the file: Save asks for a name.
    document.ForgetFile();
    document.engine.Resize(document.rowCountOption);
    document.engine.Reset();
    document.record = {document.engine.GetRows(), {}};
    // A selection left from the last game would show on the new board and be played there.
    state.selectedRow = 0;
    state.sticksTaken = 0;
    if (!document.humanFirst) {
        state.humanToMove = false;
        view.IssuePlayCommand();
        // The message lines go blank, so what the computer took is told apart.
        if (!document.record.moves.empty()) {
            view.Tell(engine::OpeningText(document.record.moves.back().move));
        }
    }
    state.humanToMove = true;
    state.messageLine1.clear();
    SetLine(state.messageLine2, " ");
    view.RedrawNow();
}

}  // namespace game
