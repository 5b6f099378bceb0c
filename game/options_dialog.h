// The Options dialog: the number of rows (three to seven) and who plays first.
//
// COptionsDlg is built once with the view and reused by every opening, so the last clicks
// (`chosenRows`, `chosenOrder`) survive from one opening to the next, even through Cancel.
// The radio buttons of each box uncheck one another, and the click handlers still set the state
// of every button of the box themselves; nothing checks a button when the dialog opens.
#pragma once

#include <cstdint>

#include "framework/dialog.h"

namespace game {

inline constexpr int kOptionsDialog = 131;

inline constexpr int kThreeRowsButton = 1001;
inline constexpr int kFourRowsButton = 1002;
inline constexpr int kFiveRowsButton = 1003;
inline constexpr int kSixRowsButton = 1004;
inline constexpr int kSevenRowsButton = 1005;
inline constexpr int kHumanFirstButton = 1009;
inline constexpr int kComputerFirstButton = 1010;

framework::DialogTemplate OptionsDialogTemplate();

class COptionsDlg : public framework::Dialog {
  public:
    COptionsDlg();

    void DoDataExchange(framework::DataExchange& exchange) override;

    // Bound to their controls while the dialog is open.
    framework::Button computerFirstButton;
    framework::Button humanFirstButton;
    framework::Button threeRowsButton;
    framework::Button sixRowsButton;
    framework::Button sevenRowsButton;
    framework::Button fourRowsButton;
    framework::Button fiveRowsButton;
    // The rows of the last row button clicked; 0 until one is, which OK takes as no choice.
    int32_t chosenRows = 0;
    // The order of the last order button clicked: 1 the human first, 0 the computer first.
    int32_t chosenOrder = 1;
    // The rows OK uses when no row button was ever clicked (then 4 when it is not above 0).
    int32_t fallbackRows = 0;

  private:
    void ChooseRows(int32_t rows, framework::Button& clicked);
    void ChooseOrder(int32_t order, framework::Button& clicked, framework::Button& other);
};

}  // namespace game
