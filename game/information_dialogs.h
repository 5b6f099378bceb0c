// The dialogs that only inform: About, Instructions and Legal (the Help menu), Curvature of
// Time and Space-Time (the Time menu, on how the computer searches: the search always uses the
// position table whatever they say) and the Warning that follows Options. Each shows its text
// and an OK button, belongs to the main window and changes nothing.
#pragma once

#include "framework/dialog.h"

namespace game {

enum class Information { About, Instructions, Legal, CurvatureOfTime, SpaceTime, Warning };

inline constexpr int kAboutDialog = 100;
inline constexpr int kWarningDialog = 132;
inline constexpr int kSpaceTimeDialog = 133;
inline constexpr int kCurvatureOfTimeDialog = 134;
inline constexpr int kInstructionsDialog = 135;
inline constexpr int kLegalDialog = 136;

framework::DialogTemplate InformationDialogTemplate(Information which);

class CInformationDlg : public framework::Dialog {
  public:
    explicit CInformationDlg(Information which)
        : framework::Dialog(InformationDialogTemplate(which)) {}
};

// Shows the dialog and returns when it is closed.
inline void ShowInformation(Information which) {
    CInformationDlg(which).DoModal();
}

}  // namespace game
