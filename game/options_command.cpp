#include "game/options_command.h"

#include "engine/rules.h"
#include "game/information_dialogs.h"

namespace game {

void OptionsCommand(CTorvelDoc& document, TurnState& state, COptionsDlg& dialog) {
    const int result = dialog.DoModal();
    SetLine(state.messageLine1, " ");
    if (result != framework::kIdOk) {
        return;
    }
    document.rowCountOption = dialog.chosenRows;
    document.humanFirst = dialog.chosenOrder == 1;
    if (document.rowCountOption == 0) {
        document.rowCountOption = dialog.fallbackRows;
    }
    if (document.rowCountOption <= 0) {
        document.rowCountOption = engine::kDefaultRows;
    }
    ShowInformation(Information::Warning);
}

}  // namespace game
