// The Time menu's two dialogs, on how the computer searches: Curvature of Time (how the search
// time grows with the number of rows) and Space-Time (how remembered positions stand in for
// enumeration). They only inform: the search always uses the position table. The view opens
// them; each shows its text and an OK button and changes nothing.
#pragma once

#include "framework/dialog.h"

namespace view {

inline constexpr int kSpaceTimeDialog = 133;
inline constexpr int kCurvatureOfTimeDialog = 134;

framework::DialogTemplate CurvatureOfTimeDialogTemplate();
framework::DialogTemplate SpaceTimeDialogTemplate();

class CCurvatureOfTimeDlg : public framework::Dialog {
  public:
    CCurvatureOfTimeDlg() : framework::Dialog(CurvatureOfTimeDialogTemplate()) {}
};

class CSpaceTimeDlg : public framework::Dialog {
  public:
    CSpaceTimeDlg() : framework::Dialog(SpaceTimeDialogTemplate()) {}
};

}  // namespace view
