// What the game control needs of the board view, without the widget: the turn's plain state,
// drawing it at once, and issuing the Play command through the view's own command routing.
// CTorvelView implements it; tests use a plain stand-in.
#pragma once

#include <string>

#include "game/turn_state.h"

namespace game {

class BoardView {
  public:
    virtual ~BoardView() = default;
    virtual TurnState& State() = 0;
    // Draws the board now, before returning.
    virtual void RedrawNow() = 0;
    // Routes the Play command through the view, as the view's own click handling does.
    virtual bool IssuePlayCommand() = 0;
    // Tells the player something the message lines do not say, until the position changes.
    virtual void Tell(const std::string& text) = 0;
};

}  // namespace game
