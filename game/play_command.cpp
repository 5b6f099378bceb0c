#include "game/play_command.h"

#include <string>

#include "game/number_to_text.h"

namespace game {

namespace {

// The text is built first and moved in: GCC 12 at -O3 warns falsely (-Wrestrict) when a
// literal is assigned in place.
void Write(std::string& line, const char* text) {
    line = std::string(text);
}

void PlayHumanMove(engine::GameEngine& game, view::BoardViewState& state, BoardView& view) {
    // The view asks for this only with sticks selected, never more than the row holds; a
    // selection that does not fit the position is refused and the turn passes anyway.
    game.ApplyMove(engine::Move{state.selectedRow, state.sticksTaken});
    state.sticksTaken = 0;
    state.selectedRow = 0;
    // The selection messages stay until the computer's move replaces them.
    view.RedrawNow();
    state.humanToMove = false;
}

std::string ComputerMoveMessage(const engine::Move& move) {
    // "sticks" whatever the count, and no full stop after the row.
    std::string line = "The computer took ";
    line += NumberToText(move.GetNumber());
    line += " sticks from row ";
    line += NumberToText(move.GetRow());
    return line;
}

void PlayComputerMove(engine::GameEngine& game, view::BoardViewState& state, BoardView& view) {
    state.sticksTaken = 0;
    state.selectedRow = 0;
    Write(state.messageLine1, "The computer is thinking.");
    Write(state.messageLine2, " ");
    view.RedrawNow();
    const engine::Move reply = game.ChooseMove();
    game.ApplyMove(reply);
    // What the search saved on the way reaches the disk once a turn, not at every save.
    if (table::PositionTable* positions = game.GetTable()) {
        positions->Sync();
    }
    state.messageLine1 = ComputerMoveMessage(reply);
    Write(state.messageLine2, "To take your turn, left click over a row and click 'Play.'");
    view.RedrawNow();
    state.humanToMove = true;
    state.sticksTaken = 0;
    state.selectedRow = 0;
}

}  // namespace

void PlayCommand(CTorvelDoc& document, BoardView& view) {
    engine::GameEngine& game = document.engine;
    view::BoardViewState& state = view.State();
    if (game.IsEmpty()) {
        return;
    }
    if (state.humanToMove) {
        PlayHumanMove(game, state, view);
    } else {
        PlayComputerMove(game, state, view);
    }
    // Whoever took the last stick loses.
    if (game.IsEmpty()) {
        Write(state.messageLine1, state.humanToMove ? "You win, the computer took the last stick."
                                                    : "You lose, you took the last stick.");
        Write(state.messageLine2, " ");
        view.RedrawNow();
    }
}

}  // namespace game
