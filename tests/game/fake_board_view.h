// A board view without a window, for the game control's tests: it records each redraw with
// the state it would have drawn, and each Play command with whose turn it was.
#pragma once

#include <vector>

#include "game/board_view.h"
#include "game/torvel_doc.h"

namespace testsupport {

class FakeBoardView : public game::BoardView {
  public:
    explicit FakeBoardView(game::CTorvelDoc& doc) : document(doc) {}

    view::BoardViewState& State() override { return state; }
    void RedrawNow() override { redraws.push_back({state, document.engine.GetRows()}); }
    bool IssuePlayCommand() override {
        playCommands.push_back(state.humanToMove);
        return false;
    }

    struct Redraw {
        view::BoardViewState state;
        std::vector<int32_t> rows;
    };
    game::CTorvelDoc& document;
    view::BoardViewState state;
    std::vector<Redraw> redraws;
    std::vector<bool> playCommands;  // humanToMove when each was issued
};

}  // namespace testsupport
