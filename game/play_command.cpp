#include "game/play_command.h"

namespace game {

void PlayCommand(CTorvelDoc&, BoardView&) {}

}  // namespace game
