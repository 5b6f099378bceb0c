// The five information dialogs and Options opened from the frame as a person opens them: each
// from its command, handled by the application or the view, with its title, size in dialog
// units, texts to the letter, OK in place, every text readable in its rectangle, no owner
// window, and the game exactly as it was when it closes.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "app_fixture.h"
#include "framework/dialog.h"
#include "framework/modal_runner.h"
#include "game/command_ids.h"

namespace {

using testsupport::AppFixture;

constexpr framework::CommandId kInformation[] = {framework::kAppAbout, game::kInstructionsCommand,
                                                 game::kLegalCommand, game::kCurvatureOfTimeCommand,
                                                 game::kSpaceTimeCommand};

// What a dialog showed while it was open.
struct Shown {
    QString title;
    QSize sizeInUnits;
    QStringList texts;
    QRect okInUnits;
    bool okIsDefault = false;
    bool hasOwner = true;
    bool hasIcon = false;
    QStringList clipped;
};

// Pixels back to dialog units, for the dialog's own base units.
QRect InUnits(const QRect& pixels, QSize units) {
    return QRect(qRound(pixels.x() * 4.0 / units.width()),
                 qRound(pixels.y() * 8.0 / units.height()),
                 qRound(pixels.width() * 4.0 / units.width()),
                 qRound(pixels.height() * 8.0 / units.height()));
}

class InformationDialogs : public AppFixture {
  protected:
    // Opens the dialog of `command` from the frame, notes what it shows and presses its OK.
    Shown Open(framework::CommandId command) {
        Shown shown;
        int opened = 0;
        framework::ScopedModalRunner runner([&](QDialog& window) {
            ++opened;
            framework::Dialog* dialog = framework::Dialog::FromWindow(window);
            EXPECT_NE(dialog, nullptr);
            const QSize units = dialog->BaseUnits();
            window.ensurePolished();
            shown.title = window.windowTitle();
            shown.sizeInUnits = InUnits(QRect(QPoint(), window.size()), units).size();
            shown.hasOwner = window.parentWidget() != nullptr;
            // Texts from top to bottom, in the order of the template.
            for (const framework::ControlTemplate& control : dialog->Template().controls) {
                if (control.kind == framework::ControlKind::Icon) {
                    shown.hasIcon = true;
                }
            }
            for (QLabel* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
                if (label->text().isEmpty()) {
                    shown.hasIcon = shown.hasIcon && !label->pixmap().isNull();
                    continue;
                }
                shown.texts << label->text();
                if (label->heightForWidth(label->width()) > label->height()) {
                    shown.clipped << label->text();
                }
            }
            auto* ok = qobject_cast<QPushButton*>(dialog->GetDlgItem(framework::kIdOk));
            EXPECT_NE(ok, nullptr);
            if (ok != nullptr) {
                shown.okInUnits = InUnits(ok->geometry(), units);
                shown.okIsDefault = ok->isDefault();
            }
            EXPECT_TRUE(dialog->ClickDlgButton(framework::kIdOk));
            return window.result();
        });
        EXPECT_TRUE(frame->ExecuteCommand(command));
        EXPECT_EQ(opened, 1);
        return shown;
    }
};

TEST_F(InformationDialogs, EveryHelpAndTimeItemIsEnabledAndReachesItsHandler) {
    Start();
    frame->UpdateCmdUI();
    for (framework::CommandId id :
         {framework::kAppAbout, game::kInstructionsCommand, game::kLegalCommand,
          game::kCurvatureOfTimeCommand, game::kSpaceTimeCommand, game::kOptionsCommand}) {
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
    }
    // Help is the application's, Time and Options the view's.
    for (framework::CommandId id :
         {framework::kAppAbout, game::kInstructionsCommand, game::kLegalCommand}) {
        EXPECT_FALSE(View()->HasCommandHandler(id) && !app->HasCommandHandler(id)) << id;
        EXPECT_TRUE(app->HasCommandHandler(id)) << id;
    }
    for (framework::CommandId id :
         {game::kCurvatureOfTimeCommand, game::kSpaceTimeCommand, game::kOptionsCommand}) {
        EXPECT_TRUE(View()->HasCommandHandler(id)) << id;
        EXPECT_FALSE(app->HasCommandHandler(id)) << id;
    }
}

TEST_F(InformationDialogs, AboutAndLegalNameTorvelVersionOne) {
    Start();
    const Shown about = Open(framework::kAppAbout);
    EXPECT_EQ(about.title, QStringLiteral("About Torvel"));
    EXPECT_EQ(about.sizeInUnits, QSize(235, 78));
    ASSERT_FALSE(about.texts.isEmpty());
    EXPECT_EQ(about.texts[0], QStringLiteral("Torvel Version 1.0"));
    EXPECT_GE(about.texts.size(), 2);
    EXPECT_TRUE(about.hasIcon);
    EXPECT_EQ(about.okInUnits, QRect(178, 7, 50, 14));
    EXPECT_TRUE(about.okIsDefault);
    EXPECT_FALSE(about.hasOwner);
    EXPECT_EQ(about.clipped, QStringList());
    const Shown legal = Open(game::kLegalCommand);
    EXPECT_EQ(legal.title, QStringLiteral("Legal"));
    EXPECT_EQ(legal.sizeInUnits, QSize(300, 108));
    ASSERT_EQ(legal.texts.size(), 4);
    EXPECT_TRUE(legal.texts[0].contains(QStringLiteral("Torvel version 1.0")));
    EXPECT_FALSE(legal.hasOwner);
    EXPECT_EQ(legal.clipped, QStringList());
}

TEST_F(InformationDialogs, TheTimeDialogsAndInstructionsShowTheirTextsWithOkCentredAtTheBottom) {
    struct Expected {
        framework::CommandId command;
        const char* title;
        QSize size;
        QStringList texts;
    };
    const Expected dialogs[] = {
        {game::kInstructionsCommand, "Instructions", {353, 106}, {"The players alternate turns.  On each turn, the player picks up one or more "
                  "sticks from a single row.  The player to pick up the last stick loses.",
                  "To pick up sticks, move the cursor over a row, and left click.  For each left "
                  "click, one stick will be removed from the row.  To replace a stick, right "
                  "click.  For each right click, one stick will be returned to the row.  ",
                  "When the correct number of sticks have been removed, click the \"Play\" "
                  "button.  The computer will then automatically take its turn."}},
        {game::kCurvatureOfTimeCommand, "Curvature of Time", {308, 194}, {"The torvel game determines what move is best with a simple searching algorithm.  This "
            "algorithm essentially ennumerates all possible positions which could arrive from a "
            "given ",
            "position and then, by checking all possible variations of position, determines what "
            "is the best move to make.  Because it takes a constant (and small) ammount of time to "
            "ennumerate each",
            "position, the time it takes to search is directly proportional to the number of "
            "possible positions.  This number is determined by the number of rows of sticks which "
            "the game starts with.  ",
            "For example, if a game starts with one row then there is only 1 stick and two "
            "possible game positions (the stick is there or it is not).  If the game starts with "
            "two rows then there are four",
            "possibilities for the new row (three sticks, two sticks, one stick, no sticks).  To "
            "find the total number of possible positions for the two rows you multiply the "
            "possibilities for each individual",
            "row.  Thus, in the case of two rows you have 4 * 2 = 8 possible positions.  "
            "Similarly, with three rows we have a new row with five sticks and six possibilities.  "
            "Multiplying we get 4 * 2 * 6 = 48",
            "different positions for a game which starts out with three rows.  If you do the math "
            "you discover that, in general, if a game starts with N rows, then it will have 2^N * "
            "N! possible",
            "positions.  Thus, since the time it takes to find the best move is determined by the "
            "number of possible positions, and the number of possible positions is determined by "
            "the number of rows",
            "the time it takes to find the best move is determined by the number of rows.  "
            "Specifically, the time is follows the equation T = N! * 2^N, which follows a very "
            "steep exponential curve.",
            "Thus, the torvel game demonstrates the curvature of processing time relative to row "
            "number."}},
        {game::kSpaceTimeCommand, "Space-Time", {272, 175}, {"The Torvel Game runs with a simple searching algorithm.  This algorithm, to evaluate "
            "whether to make a move or not, requires that the computer ennumerate every possible "
            "position which could arise until the end of the game.  It does all of ",
            "this simply to get a number, which indicates many moves the game will continue and "
            "who will win.  If you do not recognize the equivalence of space and time, the "
            "computer must ennumerate every possible position each time it has to make a ",
            "move.  However, by taking advantage of the equivalence of space and time, the Torvel "
            "Game, can save a lot of ennumerating time.  It can take advantage of the equivalence "
            "by storing all possible positions, along with their numbers, in memory. ",
            "Then, instead of ennumerating all possible positions to find whether a move is good "
            "or not, all the game has to do is look in memory.  Thus, it trades ennumeration time "
            "with memory space, proving that space and time are equivalent."}},
    };
    Start();
    for (const Expected& expected : dialogs) {
        const Shown shown = Open(expected.command);
        EXPECT_EQ(shown.title, QString::fromLatin1(expected.title));
        EXPECT_EQ(shown.sizeInUnits, expected.size) << expected.title;
        EXPECT_EQ(shown.texts, expected.texts) << expected.title;
        EXPECT_EQ(shown.okInUnits.x() + shown.okInUnits.width() / 2, expected.size.width() / 2)
            << expected.title;
        EXPECT_EQ(shown.okInUnits.bottom() + 1, expected.size.height() - 7) << expected.title;
        EXPECT_FALSE(shown.hasOwner) << expected.title;
        EXPECT_EQ(shown.clipped, QStringList()) << expected.title;
    }
}

TEST_F(InformationDialogs, OptionsAndTheWarningShowTheirWholeTexts) {
    Start();
    std::vector<QString> titles;
    QStringList clipped;
    framework::ScopedModalRunner runner([&](QDialog& window) {
        titles.push_back(window.windowTitle());
        for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            auto* label = qobject_cast<QLabel*>(child);
            if (label != nullptr && label->heightForWidth(label->width()) > label->height()) {
                clipped << label->text();
            }
            // A radio button's label starts after its indicator and the spacing.
            auto* radio = qobject_cast<QRadioButton*>(child);
            if (radio != nullptr) {
                QStyle* style = radio->style();
                const int needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                   style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) +
                                   radio->fontMetrics().horizontalAdvance(radio->text());
                if (needed > radio->width()) {
                    clipped << radio->text();
                }
            }
        }
        framework::Dialog::FromWindow(window)->ClickDlgButton(framework::kIdOk);
        return window.result();
    });
    EXPECT_TRUE(frame->ExecuteCommand(game::kOptionsCommand));
    EXPECT_EQ(titles, (std::vector<QString>{"Options", "Warning"}));
    EXPECT_EQ(clipped, QStringList());
}

TEST_F(InformationDialogs, NoneChangesTheGameAtAnyPointOfATurn) {
    Start();
    view::CTorvelView* board = View();
    Document()->engine.SetRows({1, 2, 5, 6});
    // A turn under way: two sticks selected with their messages.
    board->selectedRow = 3;
    board->sticksTaken = 2;
    board->messageLine1 = "To take 2 sticks from row 3, click the 'Play' button.";
    board->messageLine2 = "To replace sticks, right click over the row they were taken from.";
    auto unchanged = [&](framework::CommandId id) {
        EXPECT_EQ(Document()->engine.GetRows(), (std::vector<int32_t>{1, 2, 5, 6})) << id;
        EXPECT_EQ(board->selectedRow, 3) << id;
        EXPECT_EQ(board->sticksTaken, 2) << id;
        EXPECT_TRUE(board->humanToMove) << id;
        EXPECT_EQ(board->messageLine1, "To take 2 sticks from row 3, click the 'Play' button.")
            << id;
        EXPECT_EQ(board->messageLine2,
                  "To replace sticks, right click over the row they were taken from.")
            << id;
        EXPECT_EQ(Document()->rowCountOption, 4) << id;
        EXPECT_TRUE(Document()->humanFirst) << id;
    };
    for (framework::CommandId id : kInformation) {
        Open(id);
        unchanged(id);
    }
    // And after the game has ended.
    Document()->engine.SetRows({0, 0, 0, 0});
    board->humanToMove = false;
    board->sticksTaken = 0;
    board->messageLine1 = "You lose, you took the last stick.";
    for (framework::CommandId id : kInformation) {
        Open(id);
        EXPECT_TRUE(Document()->engine.IsEmpty());
        EXPECT_FALSE(board->humanToMove);
        EXPECT_EQ(board->messageLine1, "You lose, you took the last stick.");
    }
}

}  // namespace
