#include "shell/information_dialogs.h"

namespace shell {

namespace {

using framework::ControlKind;
using framework::DefaultOkButton;
using framework::StaticText;

}  // namespace

framework::DialogTemplate AboutDialogTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = kAboutDialog;
    dialog.title = QStringLiteral("About Torvel");
    dialog.width = 235;
    dialog.height = 78;
    dialog.controls = {
        // The program's icon.
        {framework::kNoControlId, ControlKind::Icon, QString(), 11, 17, 20, 20, false, false},
        StaticText("Torvel Version 1.0", 40, 10, 130, 10),
        StaticText("Made by the Torvel developers, 2026.", 40, 25, 130, 10),
        StaticText("Misere Nim against a perfect opponent.", 40, 40, 130, 10),
        DefaultOkButton(178, 7),
    };
    return dialog;
}

framework::DialogTemplate InstructionsDialogTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = kInstructionsDialog;
    dialog.title = QStringLiteral("Instructions");
    dialog.width = 353;
    dialog.height = 106;
    // Three paragraphs, each with a line to spare.
    dialog.controls = {
        StaticText("The players alternate turns.  On each turn, the player picks up one or more "
                   "sticks from a single row.  The player to pick up the last stick loses.",
                   7, 7, 339, 24),
        StaticText(
            "To pick up sticks, move the cursor over a row, and left click.  For each left "
            "click, one stick will be removed from the row.  To replace a stick, right click.  "
            "For each right click, one stick will be returned to the row.  ",
            7, 32, 339, 24),
        StaticText(
            "When the correct number of sticks have been removed, click the \"Play\" button.  "
            "The computer will then automatically take its turn.",
            7, 57, 339, 24),
        DefaultOkButton(151, 85),
    };
    return dialog;
}

framework::DialogTemplate LegalDialogTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = kLegalDialog;
    dialog.title = QStringLiteral("Legal");
    dialog.width = 300;
    dialog.height = 108;
    dialog.controls = {
        StaticText(
            "Torvel version 1.0 is free for any individual to use, for as long as they like.", 7, 7,
            286, 16),
        StaticText("You may give copies of it to other individuals, whole and unchanged, with this "
                   "notice.",
                   7, 25, 286, 16),
        StaticText("You may not sell it or charge anything for passing it on.", 7, 43, 286, 16),
        StaticText("It comes with no warranty of any kind: you use it at your own risk.", 7, 61,
                   286, 16),
        DefaultOkButton(125, 87),
    };
    return dialog;
}

}  // namespace shell
