// The Help menu's dialogs: About (the program and its version), Instructions (how to play) and
// Legal (the terms of use). The application opens them; each shows its text and an OK button,
// has no owner window and changes nothing.
#pragma once

#include "framework/dialog.h"

namespace shell {

inline constexpr int kAboutDialog = 100;
inline constexpr int kInstructionsDialog = 135;
inline constexpr int kLegalDialog = 136;

framework::DialogTemplate AboutDialogTemplate();
framework::DialogTemplate InstructionsDialogTemplate();
framework::DialogTemplate LegalDialogTemplate();

class CAboutDlg : public framework::Dialog {
  public:
    CAboutDlg() : framework::Dialog(AboutDialogTemplate()) {}
};

class CInstructionsDlg : public framework::Dialog {
  public:
    CInstructionsDlg() : framework::Dialog(InstructionsDialogTemplate()) {}
};

class CLegalDlg : public framework::Dialog {
  public:
    CLegalDlg() : framework::Dialog(LegalDialogTemplate()) {}
};

}  // namespace shell
