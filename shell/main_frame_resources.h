// The main frame's resources: every command with its menu text, accelerators, prompts and
// icon; the menu bar, the toolbar, the status-bar panes and the strings.
#pragma once

#include "framework/resources.h"

namespace shell {

const framework::FrameResources& MainFrameResources();

}  // namespace shell
