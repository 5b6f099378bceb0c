#include "game/options_dialog.h"

#include "text/translation.h"

namespace game {

using framework::ControlKind;
using framework::kNoControlId;
using text::TrNoop;

framework::DialogTemplate OptionsDialogTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = kOptionsDialog;
    dialog.title = TrNoop("Options");
    dialog.width = 202;
    dialog.height = 141;
    // id, kind, text, x, y, width, height, tab stop (radio buttons are reached by their box)
    dialog.controls = {
        {framework::kIdOk, ControlKind::DefPushButton, TrNoop("OK"), 144, 7, 50, 14, true},
        {framework::kIdCancel, ControlKind::PushButton, TrNoop("Cancel"), 144, 27, 50, 14, true},
        {kThreeRowsButton, ControlKind::AutoRadioButton, TrNoop("Three"), 15, 20, 42, 10, false},
        {kFourRowsButton, ControlKind::AutoRadioButton, TrNoop("Four (Default)"), 15, 32, 70, 10,
         false},
        {kNoControlId, ControlKind::GroupBox, TrNoop("Number of Rows"), 7, 7, 119, 72, false},
        {kFiveRowsButton, ControlKind::AutoRadioButton, TrNoop("Five"), 15, 43, 61, 10, false},
        {kSixRowsButton, ControlKind::AutoRadioButton, TrNoop("Six"), 15, 52, 54, 10, false},
        {kSevenRowsButton, ControlKind::AutoRadioButton, TrNoop("Seven"), 15, 64, 43, 10, false},
        {kNoControlId, ControlKind::GroupBox, TrNoop("Playing Order"), 7, 94, 119, 39, false},
        {kHumanFirstButton, ControlKind::AutoRadioButton, TrNoop("Human Plays First"), 13, 106, 76,
         12, false},
        {kComputerFirstButton, ControlKind::AutoRadioButton, TrNoop("Computer Plays First"), 13,
         118, 76, 12, false},
    };
    return dialog;
}

COptionsDlg::COptionsDlg() : framework::Dialog(OptionsDialogTemplate()) {
    MapCommand(kThreeRowsButton, [this] { ChooseRows(3, threeRowsButton); });
    MapCommand(kFourRowsButton, [this] { ChooseRows(4, fourRowsButton); });
    MapCommand(kFiveRowsButton, [this] { ChooseRows(5, fiveRowsButton); });
    MapCommand(kSixRowsButton, [this] { ChooseRows(6, sixRowsButton); });
    MapCommand(kSevenRowsButton, [this] { ChooseRows(7, sevenRowsButton); });
    MapCommand(kHumanFirstButton,
               [this] { ChooseOrder(1, humanFirstButton, computerFirstButton); });
    MapCommand(kComputerFirstButton,
               [this] { ChooseOrder(0, computerFirstButton, humanFirstButton); });
}

void COptionsDlg::DoDataExchange(framework::DataExchange& exchange) {
    framework::Dialog::DoDataExchange(exchange);
    exchange.Control(kComputerFirstButton, computerFirstButton);
    exchange.Control(kHumanFirstButton, humanFirstButton);
    exchange.Control(kThreeRowsButton, threeRowsButton);
    exchange.Control(kSixRowsButton, sixRowsButton);
    exchange.Control(kSevenRowsButton, sevenRowsButton);
    exchange.Control(kFourRowsButton, fourRowsButton);
    exchange.Control(kFiveRowsButton, fiveRowsButton);
}

void COptionsDlg::ChooseRows(int32_t rows, framework::Button& clicked) {
    for (framework::Button* button :
         {&threeRowsButton, &fourRowsButton, &fiveRowsButton, &sixRowsButton, &sevenRowsButton}) {
        button->SetCheck(button == &clicked ? 1 : 0);
    }
    chosenRows = rows;
}

void COptionsDlg::ChooseOrder(int32_t order, framework::Button& clicked, framework::Button& other) {
    clicked.SetCheck(1);
    other.SetCheck(0);
    chosenOrder = order;
}

}  // namespace game
