#include "game/information_dialogs.h"

#include <array>
#include <span>

#include "text/translation.h"

namespace game {

namespace {

using text::TrNoop;

struct Paragraph {
    const char* text;
    int x, y, width, height;
};

struct Page {
    int id;
    const char* title;
    int width, height;
    std::span<const Paragraph> paragraphs;
    int okX, okY;
};

constexpr std::array<Paragraph, 3> kAboutText{{
    {TrNoop("Torvel Version 1.0"), 40, 10, 130, 10},
    {TrNoop("Made by the Torvel developers, 2026."), 40, 25, 130, 10},
    {TrNoop("Misere Nim against a perfect opponent."), 40, 40, 130, 10},
}};

// Three paragraphs, each with a line to spare.
constexpr std::array<Paragraph, 3> kInstructionsText{{
    {TrNoop("The players alternate turns.  On each turn, the player picks up one or more "
            "sticks from a single row.  The player to pick up the last stick loses."),
     7, 7, 339, 24},
    {TrNoop("To pick up sticks, move the cursor over a row, and left click.  For each left "
            "click, one stick will be removed from the row.  To replace a stick, right click.  "
            "For each right click, one stick will be returned to the row.  "),
     7, 32, 339, 24},
    {TrNoop("When the correct number of sticks have been removed, click the \"Play\" button.  "
            "The computer will then automatically take its turn."),
     7, 57, 339, 24},
}};

constexpr std::array<Paragraph, 4> kLegalText{{
    {TrNoop("Torvel version 1.0 is free for any individual to use, for as long as they like."), 7,
     7, 286, 16},
    {TrNoop("You may give copies of it to other individuals, whole and unchanged, with this "
            "notice."),
     7, 25, 286, 16},
    {TrNoop("You may not sell it or charge anything for passing it on."), 7, 43, 286, 16},
    {TrNoop("It comes with no warranty of any kind: you use it at your own risk."), 7, 61, 286, 16},
}};

constexpr std::array<Paragraph, 10> kCurvatureOfTimeText{{
    // Translators: the ten pieces of this dialog are one text, cut where the English is, even
    // mid-sentence: let each piece read on from the one before. The English keeps its old
    // spellings ("ennumerate", "ammount"); a translation spells as its language does.
    {TrNoop("The torvel game determines what move is best with a simple searching algorithm.  "
            "This algorithm essentially ennumerates all possible positions which could arrive "
            "from a given "),
     4, 5, 300, 16},
    {TrNoop("position and then, by checking all possible variations of position, determines "
            "what is the best move to make.  Because it takes a constant (and small) ammount "
            "of time to ennumerate each"),
     4, 21, 300, 16},
    {TrNoop("position, the time it takes to search is directly proportional to the number of "
            "possible positions.  This number is determined by the number of rows of sticks "
            "which the game starts with.  "),
     4, 37, 300, 16},
    {TrNoop("For example, if a game starts with one row then there is only 1 stick and two "
            "possible game positions (the stick is there or it is not).  If the game starts "
            "with two rows then there are four"),
     4, 53, 300, 16},
    {TrNoop("possibilities for the new row (three sticks, two sticks, one stick, no sticks).  "
            "To find the total number of possible positions for the two rows you multiply the "
            "possibilities for each individual"),
     4, 69, 300, 16},
    {TrNoop("row.  Thus, in the case of two rows you have 4 * 2 = 8 possible positions.  "
            "Similarly, with three rows we have a new row with five sticks and six "
            "possibilities.  Multiplying we get 4 * 2 * 6 = 48"),
     4, 85, 300, 16},
    {TrNoop("different positions for a game which starts out with three rows.  If you do the "
            "math you discover that, in general, if a game starts with N rows, then it will "
            "have 2^N * N! possible"),
     4, 101, 300, 16},
    {TrNoop("positions.  Thus, since the time it takes to find the best move is determined by "
            "the number of possible positions, and the number of possible positions is "
            "determined by the number of rows"),
     4, 117, 300, 16},
    {TrNoop("the time it takes to find the best move is determined by the number of rows.  "
            "Specifically, the time is follows the equation T = N! * 2^N, which follows a "
            "very steep exponential curve."),
     4, 133, 300, 16},
    {TrNoop("Thus, the torvel game demonstrates the curvature of processing time relative to "
            "row number."),
     4, 149, 300, 16},
}};

constexpr std::array<Paragraph, 4> kSpaceTimeText{{
    // Translators: the four pieces of this dialog are one text, cut where the English is, even
    // mid-sentence: let each piece read on from the one before.
    {TrNoop("The Torvel Game runs with a simple searching algorithm.  This algorithm, to "
            "evaluate whether to make a move or not, requires that the computer ennumerate "
            "every possible position which could arise until the end of the game.  It does "
            "all of "),
     4, 7, 264, 24},
    {TrNoop("this simply to get a number, which indicates many moves the game will continue "
            "and who will win.  If you do not recognize the equivalence of space and time, "
            "the computer must ennumerate every possible position each time it has to make a "),
     4, 31, 264, 24},
    {TrNoop("move.  However, by taking advantage of the equivalence of space and time, the "
            "Torvel Game, can save a lot of ennumerating time.  It can take advantage of the "
            "equivalence by storing all possible positions, along with their numbers, in "
            "memory. "),
     4, 55, 264, 24},
    {TrNoop("Then, instead of ennumerating all possible positions to find whether a move is "
            "good or not, all the game has to do is look in memory.  Thus, it trades "
            "ennumeration time with memory space, proving that space and time are equivalent."),
     4, 79, 264, 32},
}};

constexpr std::array<Paragraph, 1> kWarningText{{
    {TrNoop("Your changes will not take effect until you start a new game."), 7, 7, 199, 11},
}};

Page PageOf(Information which) {
    switch (which) {
        case Information::About:
            return {kAboutDialog, TrNoop("About Torvel"), 235, 78, kAboutText, 178, 7};
        case Information::Instructions:
            return {
                kInstructionsDialog, TrNoop("Instructions"), 353, 106, kInstructionsText, 151, 85};
        case Information::Legal:
            return {kLegalDialog, TrNoop("Legal"), 300, 108, kLegalText, 125, 87};
        case Information::CurvatureOfTime:
            return {kCurvatureOfTimeDialog,
                    TrNoop("Curvature of Time"),
                    308,
                    194,
                    kCurvatureOfTimeText,
                    129,
                    173};
        case Information::SpaceTime:
            return {kSpaceTimeDialog, TrNoop("Space-Time"), 272, 175, kSpaceTimeText, 111, 154};
        case Information::Warning:
            return {kWarningDialog, TrNoop("Warning"), 213, 55, kWarningText, 75, 25};
    }
    return {};
}

}  // namespace

framework::DialogTemplate InformationDialogTemplate(Information which) {
    const Page page = PageOf(which);
    framework::DialogTemplate dialog;
    dialog.id = page.id;
    dialog.title = QString::fromUtf8(page.title);
    dialog.width = page.width;
    dialog.height = page.height;
    if (which == Information::About) {
        // The program's icon beside its name.
        dialog.controls.push_back({framework::kNoControlId, framework::ControlKind::Icon, QString(),
                                   11, 17, 20, 20, false});
    }
    for (const Paragraph& paragraph : page.paragraphs) {
        dialog.controls.push_back(framework::StaticText(paragraph.text, paragraph.x, paragraph.y,
                                                        paragraph.width, paragraph.height));
    }
    dialog.controls.push_back(framework::DefaultOkButton(page.okX, page.okY));
    return dialog;
}

}  // namespace game
