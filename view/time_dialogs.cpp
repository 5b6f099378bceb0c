#include "view/time_dialogs.h"

namespace view {

namespace {

using framework::ControlKind;
using framework::DefaultOkButton;
using framework::StaticText;

}  // namespace

framework::DialogTemplate CurvatureOfTimeDialogTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = kCurvatureOfTimeDialog;
    dialog.title = QStringLiteral("Curvature of Time");
    dialog.width = 308;
    dialog.height = 194;
    dialog.controls = {
        StaticText(
            "The torvel game determines what move is best with a simple searching algorithm.  "
            "This algorithm essentially ennumerates all possible positions which could arrive "
            "from a given ",
            4, 5, 300, 16),
        StaticText(
            "position and then, by checking all possible variations of position, determines "
            "what is the best move to make.  Because it takes a constant (and small) ammount "
            "of time to ennumerate each",
            4, 21, 300, 16),
        StaticText(
            "position, the time it takes to search is directly proportional to the number of "
            "possible positions.  This number is determined by the number of rows of sticks "
            "which the game starts with.  ",
            4, 37, 300, 16),
        StaticText("For example, if a game starts with one row then there is only 1 stick and two "
                   "possible game positions (the stick is there or it is not).  If the game starts "
                   "with two rows then there are four",
                   4, 53, 300, 16),
        StaticText(
            "possibilities for the new row (three sticks, two sticks, one stick, no sticks).  "
            "To find the total number of possible positions for the two rows you multiply the "
            "possibilities for each individual",
            4, 69, 300, 16),
        StaticText("row.  Thus, in the case of two rows you have 4 * 2 = 8 possible positions.  "
                   "Similarly, with three rows we have a new row with five sticks and six "
                   "possibilities.  Multiplying we get 4 * 2 * 6 = 48",
                   4, 85, 300, 16),
        StaticText(
            "different positions for a game which starts out with three rows.  If you do the "
            "math you discover that, in general, if a game starts with N rows, then it will "
            "have 2^N * N! possible",
            4, 101, 300, 16),
        StaticText(
            "positions.  Thus, since the time it takes to find the best move is determined by "
            "the number of possible positions, and the number of possible positions is "
            "determined by the number of rows",
            4, 117, 300, 16),
        StaticText("the time it takes to find the best move is determined by the number of rows.  "
                   "Specifically, the time is follows the equation T = N! * 2^N, which follows a "
                   "very steep exponential curve.",
                   4, 133, 300, 16),
        StaticText(
            "Thus, the torvel game demonstrates the curvature of processing time relative to "
            "row number.",
            4, 149, 300, 16),
        DefaultOkButton(129, 173),
    };
    return dialog;
}

framework::DialogTemplate SpaceTimeDialogTemplate() {
    framework::DialogTemplate dialog;
    dialog.id = kSpaceTimeDialog;
    dialog.title = QStringLiteral("Space-Time");
    dialog.width = 272;
    dialog.height = 175;
    dialog.controls = {
        StaticText("The Torvel Game runs with a simple searching algorithm.  This algorithm, to "
                   "evaluate whether to make a move or not, requires that the computer ennumerate "
                   "every possible position which could arise until the end of the game.  It does "
                   "all of ",
                   4, 7, 264, 24),
        StaticText(
            "this simply to get a number, which indicates many moves the game will continue "
            "and who will win.  If you do not recognize the equivalence of space and time, "
            "the computer must ennumerate every possible position each time it has to make a ",
            4, 31, 264, 24),
        StaticText(
            "move.  However, by taking advantage of the equivalence of space and time, the "
            "Torvel Game, can save a lot of ennumerating time.  It can take advantage of the "
            "equivalence by storing all possible positions, along with their numbers, in "
            "memory. ",
            4, 55, 264, 24),
        StaticText(
            "Then, instead of ennumerating all possible positions to find whether a move is "
            "good or not, all the game has to do is look in memory.  Thus, it trades "
            "ennumeration time with memory space, proving that space and time are equivalent.",
            4, 79, 264, 32),
        DefaultOkButton(111, 154),
    };
    return dialog;
}

}  // namespace view
