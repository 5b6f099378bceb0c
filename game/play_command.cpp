#include "game/play_command.h"

#include <string>

#include "engine/turn_texts.h"

namespace game {

namespace {

// A move that takes sticks goes into the game's record; a refused one changes nothing.
void Play(CTorvelDoc& document, engine::Player player, engine::Move move) {
    if (document.engine.ApplyMove(move) && move.number > 0) {
        document.record.moves.push_back({player, move});
    }
}

void PlayHumanMove(CTorvelDoc& document, TurnState& state, BoardView& view) {
    // The view asks for this only with sticks selected, never more than the row holds; a
    // selection that does not fit the position is refused and the turn passes anyway.
    Play(document, engine::Player::Human, engine::Move{state.selectedRow, state.sticksTaken});
    state.sticksTaken = 0;
    state.selectedRow = 0;
    // The selection messages stay until the computer's move replaces them.
    view.RedrawNow();
    state.humanToMove = false;
}

void PlayComputerMove(CTorvelDoc& document, TurnState& state, BoardView& view) {
    engine::GameEngine& game = document.engine;
    state.sticksTaken = 0;
    state.selectedRow = 0;
    SetLine(state.messageLine1, text::Tr(engine::kThinkingText));
    SetLine(state.messageLine2, " ");
    view.RedrawNow();
    const engine::Move reply = game.ChooseMove();
    Play(document, engine::Player::Computer, reply);
    // What the search saved on the way reaches the disk once a turn, not at every save.
    if (table::PositionTable* positions = game.GetTable()) {
        positions->Sync();
    }
    state.messageLine1 = engine::ComputerTookText(reply);
    SetLine(state.messageLine2, text::Tr(engine::kYourTurnText));
    view.RedrawNow();
    state.humanToMove = true;
    state.sticksTaken = 0;
    state.selectedRow = 0;
}

}  // namespace

void PlayCommand(CTorvelDoc& document, BoardView& view) {
    engine::GameEngine& game = document.engine;
    TurnState& state = view.State();
    if (game.IsEmpty()) {
        return;
    }
    document.ForgetFileNotice();  // what Open or Save said holds until the next move
    if (state.humanToMove) {
        PlayHumanMove(document, state, view);
    } else {
        PlayComputerMove(document, state, view);
    }
    // Whoever took the last stick loses.
    if (game.IsEmpty()) {
        SetLine(state.messageLine1,
                text::Tr(state.humanToMove ? engine::kHumanWonText : engine::kHumanLostText));
        SetLine(state.messageLine2, " ");
        view.RedrawNow();
    }
}

}  // namespace game
