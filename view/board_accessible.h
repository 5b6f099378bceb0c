// The board as screen readers see it. The board is painted only, so the view gets an accessible
// interface of its own (through AT-SPI on Linux): the two message lines as text, each row as an
// item named with its number, its sticks and how many are selected from it, and the Play button
// as a button whose press action plays, as a click on it does.
#pragma once

namespace view {

class CTorvelView;

// Makes queries for the board's interface answer with the one below; once is enough.
void InstallBoardAccessibility();

// Tells assistive technology what changed since it was last told: a row's sticks or selection,
// a message line, the number of rows. Every redraw-now calls it; it costs nothing while no
// assistive technology listens.
void AnnounceBoardChanges(CTorvelView& view);

}  // namespace view
