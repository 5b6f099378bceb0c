// The Options command and COptionsDlg, driven through the modal runner by control number: the
// dialog as laid out, the click handlers, every opening unchecked, the choices kept across
// openings, OK and Cancel, the fallback to four rows, and the Warning after every OK.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <deque>
#include <functional>

#include "framework/modal_runner.h"
#include "game/options_dialog.h"
#include "game/torvel_doc.h"
#include "support/temp_dir.h"

namespace {

using framework::ControlKind;
using Rows = std::vector<int32_t>;

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

TEST_F(Options, TheDialogShowsItsControlsWhereItsTemplatePutsThem) {
    struct Expected {
        int id;
        const char* text;
        QRect units;
    };
    const Expected expected[] = {
        {1, "OK", {144, 7, 50, 14}},
        {2, "Cancel", {144, 27, 50, 14}},
        {1001, "Three", {15, 20, 42, 10}},
        {1002, "Four (Default)", {15, 32, 70, 10}},
        {1003, "Five", {15, 43, 61, 10}},
        {1004, "Six", {15, 52, 54, 10}},
        {1005, "Seven", {15, 64, 43, 10}},
        {1009, "Human Plays First", {13, 106, 76, 12}},
        {1010, "Computer Plays First", {13, 118, 76, 12}},
    };
    RunOptions([&](framework::Dialog& options) -> int {
        const QSize base = options.BaseUnits();
        auto pixels = [base](const QRect& units) {
            return QRect((units.x() * base.width() + 2) / 4, (units.y() * base.height() + 4) / 8,
                         (units.width() * base.width() + 2) / 4,
                         (units.height() * base.height() + 4) / 8);
        };
        QDialog& window = *options.GetWindow();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Options"));
        EXPECT_EQ(window.size(), pixels(QRect(0, 0, 202, 141)).size());
        for (const Expected& control : expected) {
            auto* button = qobject_cast<QAbstractButton*>(options.GetDlgItem(control.id));
            if (button == nullptr) {
                ADD_FAILURE() << "no button " << control.id;
                continue;
            }
            EXPECT_EQ(button->text(), QString::fromLatin1(control.text));
            EXPECT_EQ(button->geometry(), pixels(control.units)) << control.text;
            // Only OK and Cancel take the focus by tab; only OK is the default.
            EXPECT_EQ(button->focusPolicy() == Qt::StrongFocus, control.id <= 2) << control.text;
            EXPECT_EQ(qobject_cast<QRadioButton*>(button) != nullptr, control.id > 2);
        }
        EXPECT_TRUE(static_cast<QPushButton*>(options.GetDlgItem(1))->isDefault());
        QStringList frames;
        for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
            frames << frame->title();
            EXPECT_EQ(frame->geometry(), pixels(frame->title() == QStringLiteral("Number of Rows")
                                                    ? QRect(7, 7, 119, 72)
                                                    : QRect(7, 94, 119, 39)));
        }
        frames.sort();
        EXPECT_EQ(frames, (QStringList{"Number of Rows", "Playing Order"}));
        return int{framework::kIdCancel};
    });
    // Every radio button is a group of its own, so no click unchecks another by itself.
    for (const framework::ControlTemplate& control : game::OptionsDialogTemplate().controls) {
        if (control.kind == ControlKind::AutoRadioButton) {
            EXPECT_TRUE(control.beginsGroup) << control.id;
        }
    }
    const framework::DialogTemplate warning = game::WarningDialogTemplate();
    EXPECT_EQ(warning.title, QStringLiteral("Warning"));
    EXPECT_EQ(QSize(warning.width, warning.height), QSize(213, 55));
    ASSERT_EQ(warning.controls.size(), 2u);
    EXPECT_EQ(warning.controls[0].text,
              QStringLiteral("Your changes will not take effect until you start a new game."));
    EXPECT_EQ(warning.controls[1].id, framework::kIdOk);
}

TEST_F(Options, TheLastButtonClickedOfEachGroupCountsAndWaitsForTheNextGame) {
    document.engine.SetRows({1, 3, 5, 2});
    RunOptions(Clicks({game::kThreeRowsButton, game::kSevenRowsButton, game::kComputerFirstButton},
                      framework::kIdOk));
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Warning"}));
    EXPECT_EQ(document.rowCountOption, 7);
    EXPECT_FALSE(document.humanFirst);
    // The game in progress goes on untouched.
    EXPECT_EQ(document.engine.GetRows(), (Rows{1, 3, 5, 2}));
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

TEST_F(Options, OkWithNoClickKeepsTheDefaultsAndAnyOrderButOneIsTheComputerFirst) {
    document.rowCountOption = 6;
    document.humanFirst = false;
    RunOptions(Clicks({}, framework::kIdOk));
    EXPECT_EQ(opened, (std::vector<std::string>{"Options", "Warning"}));
    EXPECT_EQ(document.rowCountOption, 4);
    EXPECT_TRUE(document.humanFirst);
    EXPECT_EQ(dialog.fallbackRows, 0);
    for (int32_t order : {0, 2, -1}) {
        dialog.chosenOrder = order;
        dialog.chosenRows = 0;
        RunOptions(Clicks({}, framework::kIdOk));
        EXPECT_FALSE(document.humanFirst);
        EXPECT_EQ(document.rowCountOption, 4);
    }
    // No rows chosen means the fallback.
    dialog.fallbackRows = 3;
    dialog.chosenOrder = 1;
    RunOptions(Clicks({}, framework::kIdOk));
    EXPECT_EQ(document.rowCountOption, 3);
    EXPECT_TRUE(document.humanFirst);
}

}  // namespace
