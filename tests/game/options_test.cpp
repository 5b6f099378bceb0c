// The Options command and COptionsDlg, driven through the modal runner by control number: the
// dialog as laid out, the click handlers, every opening unchecked, the choices kept across
// openings, OK and Cancel, the fallback to four rows, and the Warning after every OK.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <deque>
#include <functional>

#include "framework/modal_runner.h"
#include "game/options_dialog.h"
#include "game/torvel_doc.h"
#include "support/temp_dir.h"

namespace {

using framework::ControlKind;
using Rows = std::vector<int32_t>;

constexpr int kRowButtons[] = {game::kThreeRowsButton, game::kFourRowsButton, game::kFiveRowsButton,
                               game::kSixRowsButton, game::kSevenRowsButton};
constexpr int kAllButtons[] = {game::kThreeRowsButton,    game::kFourRowsButton,
                               game::kFiveRowsButton,     game::kSixRowsButton,
                               game::kSevenRowsButton,    game::kHumanFirstButton,
                               game::kComputerFirstButton};

// Plays each opened dialog from a script: what the user does in the Options dialog, then what
// the dialog ends with. The Warning is noted and closed with OK.
class Options : public ::testing::Test {
  protected:
    using Step = std::function<int(framework::Dialog&)>;

    // Clicks the buttons, checks that only the last row and order buttons clicked are
    // checked, then presses `end` (OK or Cancel) or, for any other value, returns it as the
    // result of a dialog closed another way.
    static Step Clicks(std::vector<int> ids, int end) {
        return [ids, end](framework::Dialog& dialog) {
            for (int id : kAllButtons) {
                EXPECT_EQ(dialog.IsDlgButtonChecked(id), 0) << "button " << id << " at opening";
            }
            for (int id : ids) {
                EXPECT_TRUE(dialog.ClickDlgButton(id));
                EXPECT_EQ(dialog.IsDlgButtonChecked(id), 1);
                const bool rowButton = id < game::kHumanFirstButton;
                for (int other : kAllButtons) {
                    if (other != id && (other < game::kHumanFirstButton) == rowButton) {
                        EXPECT_EQ(dialog.IsDlgButtonChecked(other), 0)
                            << "button " << other << " after clicking " << id;
                    }
                }
            }
            if (end == framework::kIdOk || end == framework::kIdCancel) {
                EXPECT_TRUE(dialog.ClickDlgButton(end));
                return dialog.GetWindow()->result();
            }
            return end;
        };
    }

    void RunOptions(Step step) {
        steps.push_back(std::move(step));
        framework::ScopedModalRunner runner([this](QDialog& window) {
            framework::Dialog* shown = framework::Dialog::FromWindow(window);
            EXPECT_NE(shown, nullptr);
            EXPECT_EQ(window.parentWidget(), nullptr);
            opened.push_back(window.windowTitle().toStdString());
            if (window.windowTitle() == QStringLiteral("Warning")) {
                EXPECT_TRUE(shown->ClickDlgButton(framework::kIdOk));
                return window.result();
            }
            EXPECT_FALSE(steps.empty());
            Step next = std::move(steps.front());
            steps.pop_front();
            return next(*shown);
        });
        state.messageLine1 = "something";
        game::OptionsCommand(document, state, dialog);
        EXPECT_EQ(state.messageLine1, " ");
    }

    testsupport::TempDir workDir;
    game::CTorvelDoc document;
    view::BoardViewState state;
    game::COptionsDlg dialog;
    std::deque<Step> steps;
    std::vector<std::string> opened;
};

TEST_F(Options, TheDialogIsLaidOutAsItsTemplateSays) {
    const framework::DialogTemplate options = game::OptionsDialogTemplate();
    EXPECT_EQ(options.id, 131);
    EXPECT_EQ(options.title, QStringLiteral("Options"));
    EXPECT_EQ(options.width, 202);
    EXPECT_EQ(options.height, 141);
    EXPECT_EQ(options.fontFamily, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(options.fontPointSize, 8);
    struct Expected {
        int id;
        ControlKind kind;
        const char* text;
        int x, y, width, height;
    };
    const Expected expected[] = {
        {1, ControlKind::DefPushButton, "OK", 144, 7, 50, 14},
        {2, ControlKind::PushButton, "Cancel", 144, 27, 50, 14},
        {1001, ControlKind::AutoRadioButton, "Three", 15, 20, 42, 10},
        {1002, ControlKind::AutoRadioButton, "Four (Default)", 15, 32, 70, 10},
        {framework::kNoControlId, ControlKind::GroupBox, "Number of Rows", 7, 7, 119, 72},
        {1003, ControlKind::AutoRadioButton, "Five", 15, 43, 61, 10},
        {1004, ControlKind::AutoRadioButton, "Six", 15, 52, 54, 10},
        {1005, ControlKind::AutoRadioButton, "Seven", 15, 64, 43, 10},
        {framework::kNoControlId, ControlKind::GroupBox, "Playing Order", 7, 94, 119, 39},
        {1009, ControlKind::AutoRadioButton, "Human Plays First", 13, 106, 76, 12},
        {1010, ControlKind::AutoRadioButton, "Computer Plays First", 13, 118, 76, 12},
    };
    ASSERT_EQ(options.controls.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const framework::ControlTemplate& control = options.controls[i];
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(control.kind, expected[i].kind);
        EXPECT_EQ(control.text, QString::fromLatin1(expected[i].text));
        EXPECT_EQ(QRect(control.x, control.y, control.width, control.height),
                  QRect(expected[i].x, expected[i].y, expected[i].width, expected[i].height));
        // Only OK and Cancel are tab stops; every radio button is a group of its own.
        EXPECT_EQ(control.tabStop, control.id == 1 || control.id == 2);
        if (control.kind == ControlKind::AutoRadioButton) {
            EXPECT_TRUE(control.beginsGroup);
        }
    }

    const framework::DialogTemplate warning = game::WarningDialogTemplate();
    EXPECT_EQ(warning.id, 132);
    EXPECT_EQ(warning.title, QStringLiteral("Warning"));
    EXPECT_EQ(warning.width, 213);
    EXPECT_EQ(warning.height, 55);
    ASSERT_EQ(warning.controls.size(), 2u);
    EXPECT_EQ(warning.controls[0].kind, ControlKind::StaticText);
    EXPECT_EQ(warning.controls[0].text,
              QStringLiteral("Your changes will not take effect until you start a new game."));
    EXPECT_EQ(warning.controls[1].id, framework::kIdOk);
    EXPECT_EQ(warning.controls[1].kind, ControlKind::DefPushButton);
    EXPECT_EQ(QRect(warning.controls[1].x, warning.controls[1].y, warning.controls[1].width,
                    warning.controls[1].height),
              QRect(75, 25, 50, 14));
}

TEST_F(Options, FiveRowsHumanFirstWaitForTheNextGame) {
    document.engine.SetRows({1, 3, 5, 2});
    RunOptions(Clicks({game::kFiveRowsButton, game::kHumanFirstButton}, framework::kIdOk));
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Warning"}));
    EXPECT_EQ(document.rowCountOption, 5);
    EXPECT_TRUE(document.humanFirst);
    // The game in progress goes on untouched.
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 2}));
}

TEST_F(Options, TheLastRowButtonClickedIsTheOneChecked) {
    RunOptions(Clicks({game::kThreeRowsButton, game::kSevenRowsButton, game::kComputerFirstButton},
                      framework::kIdOk));
    EXPECT_EQ(document.rowCountOption, 7);
    EXPECT_FALSE(document.humanFirst);
    // Every button against every other: only the last clicked of its group stays checked.
    RunOptions(Clicks({1001, 1002, 1003, 1004, 1005, 1001, 1005, 1003, 1010, 1009, 1010, 1009},
                      framework::kIdOk));
    EXPECT_EQ(document.rowCountOption, 5);
    EXPECT_TRUE(document.humanFirst);
}

TEST_F(Options, CancelKeepsTheDocumentButNotTheClicks) {
    RunOptions(Clicks({game::kSixRowsButton, game::kHumanFirstButton}, framework::kIdCancel));
    EXPECT_EQ(opened, (std::vector<std::string>{"Options"}));
    EXPECT_EQ(document.rowCountOption, 4);
    EXPECT_TRUE(document.humanFirst);
    // Reopened, nothing is checked; OK with no click takes the clicks of the cancelled opening.
    RunOptions(Clicks({}, framework::kIdOk));
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Options", "Warning"}));
    EXPECT_EQ(document.rowCountOption, 6);
    EXPECT_TRUE(document.humanFirst);
}

TEST_F(Options, ClosingTheDialogAnotherWayIsACancel) {
    RunOptions(Clicks({game::kThreeRowsButton, game::kComputerFirstButton}, 0));
    RunOptions([](framework::Dialog& options) {
        options.ClickDlgButton(game::kSevenRowsButton);
        // Escape and the close box reach Cancel.
        options.GetWindow()->reject();
        return options.GetWindow()->result();
    });
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Options"}));
    EXPECT_EQ(document.rowCountOption, 4);
    EXPECT_TRUE(document.humanFirst);
}

TEST_F(Options, OkWithNoClickEverKeepsTheDefaultsAndStillWarns) {
    document.rowCountOption = 6;
    document.humanFirst = false;
    RunOptions(Clicks({}, framework::kIdOk));
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Warning"}));
    EXPECT_EQ(document.rowCountOption, 4);
    EXPECT_TRUE(document.humanFirst);
    EXPECT_EQ(dialog.fallbackRows, 0);
}

TEST_F(Options, AnOrderOtherThanOneMeansTheComputerFirstAndNoRowsMeansFour) {
    for (int32_t order : {0, 2, -1}) {
        dialog.chosenOrder = order;
        dialog.chosenRows = 0;
        RunOptions(Clicks({}, framework::kIdOk));
        EXPECT_FALSE(document.humanFirst);
        EXPECT_EQ(document.rowCountOption, 4);
    }
    dialog.fallbackRows = 3;
    dialog.chosenOrder = 1;
    RunOptions(Clicks({}, framework::kIdOk));
    EXPECT_EQ(document.rowCountOption, 3);
    EXPECT_TRUE(document.humanFirst);
}

TEST_F(Options, TheButtonsAreBoundOnlyWhileTheDialogIsOpen) {
    RunOptions([this](framework::Dialog& options) {
        framework::Button* buttons[] = {&dialog.computerFirstButton, &dialog.humanFirstButton,
                                        &dialog.threeRowsButton,     &dialog.sixRowsButton,
                                        &dialog.sevenRowsButton,     &dialog.fourRowsButton,
                                        &dialog.fiveRowsButton};
        const int ids[] = {1010, 1009, 1001, 1004, 1005, 1002, 1003};
        for (size_t i = 0; i < std::size(ids); ++i) {
            EXPECT_EQ(static_cast<QWidget*>(buttons[i]->Control()), options.GetDlgItem(ids[i]));
        }
        return int{framework::kIdCancel};
    });
    EXPECT_FALSE(dialog.fourRowsButton.IsAttached());
    EXPECT_FALSE(dialog.computerFirstButton.IsAttached());
    for (int id : kRowButtons) {
        EXPECT_EQ(dialog.GetDlgItem(id), nullptr);
    }
}

}  // namespace
