// The user-interface item of one command (a QAction shared by the menu, the toolbar and the
// accelerators), as the update question hands it to the command targets.
#pragma once

#include "framework/cmd_target.h"

class QAction;

namespace framework {

class CmdUI {
  public:
    CmdUI(CommandId id, QAction* action) : commandId(id), item(action) {}

    CommandId Id() const { return commandId; }
    void Enable(bool on = true);
    void SetCheck(bool checked = true);

    // Asks the chain that starts at `target`; with no answer the item is enabled exactly when
    // a handler exists.
    void DoUpdate(CmdTarget& target);

  private:
    CommandId commandId;
    QAction* item;
    bool enableChanged = false;
};

}  // namespace framework
