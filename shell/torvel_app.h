// CTorvelApp: starts the program. It sets the settings key and the recent-file list, registers
// the one document template (CTorvelDoc, CMainFrame, CTorvelView), runs what the command line
// asks (a new game, or opening a file) and shows the main window. It also takes the standard
// new, open and print set-up commands; after start-up New Game reaches the view first.
#pragma once

#include "framework/application.h"

namespace shell {

inline constexpr char kSettingsKey[] = "Local AppWizard-Generated Applications";

class CTorvelApp : public framework::Application {
  public:
    CTorvelApp();

    bool InitInstance(const framework::CommandLineInfo& commandLine) override;
};

}  // namespace shell
