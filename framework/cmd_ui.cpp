#include "framework/cmd_ui.h"

#include <QAction>

namespace framework {

void CmdUI::Enable(bool on) {
    if (item != nullptr) {
        item->setEnabled(on);
    }
    enableChanged = true;
}

void CmdUI::SetCheck(bool checked) {
    if (item != nullptr) {
        item->setCheckable(true);
        item->setChecked(checked);
    }
}

void CmdUI::DoUpdate(CmdTarget& target) {
    enableChanged = false;
    if (target.OnCmdMsg(commandId, kCnUpdateCommandUi, this, nullptr) && enableChanged) {
        return;
    }
    Enable(target.HasCommandHandler(commandId));
}

}  // namespace framework
