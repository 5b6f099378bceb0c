// The board as screen readers see it. The board is painted only, so the view gets an accessible
// interface of its own (through AT-SPI on Linux): the message area as an item that reads its two
// lines as sentences, each row as an item named with its number, its sticks and how many are
// selected from it (pressing it picks up a stick, decreasing it puts one back), and the Play
// button as a button whose press action plays, as a click on it does.
#pragma once

namespace view {

class CTorvelView;

// Makes queries for the board's interface answer with the one below; once is enough.
void InstallBoardAccessibility();

// Tells assistive technology what changed since it was last told (a row's sticks or selection,
// the messages, the number of rows) and moves the accessible focus to the part that says it best.
// Every redraw-now calls it; it costs nothing while no assistive technology listens. With
// `messagesAgain` the message area is said again even when it says nothing new (a hint asked for
// twice).
void AnnounceBoardChanges(CTorvelView& view, bool messagesAgain = false);

// Answers what assistive technology has asked since the window stopped taking events: called
// during a long search, so that a screen reader can read the board meanwhile.
void AnswerScreenReaders();

// The part of the board one up (-1) or down (+1) from part `from`, or the first (the last) from
// nowhere: the message area counts while it says something (board_view_state.h names the parts).
int NextBoardPart(const CTorvelView& view, int from, int direction);
// Whether a part is on the board of the game.
bool OnBoard(const CTorvelView& view, int part);
// Gives the part the accessible focus, where a screen reader listens.
void FocusBoardPart(CTorvelView& view, int part);

}  // namespace view
