// Room for a dialog's texts in whatever language they are shown. A template gives each control
// the room its English takes; a translation that needs more makes its static text take more
// lines or its button more width, and what lies below or beside it moves along, the boxes that
// hold it and the dialog growing by as much. English texts stay exactly as the template places
// them, and so does a translation that fits.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace framework {

// A control and its place in the dialog's pixels, counted from the dialog's top-left corner;
// `holder` is the index of the group box it lies in, or -1; `translated` whether its text is
// shown in another language than the template's.
struct PlacedControl {
    QWidget* control = nullptr;
    QRect area;
    int holder = -1;
    bool translated = false;
};

// Moves and widens the controls so that each text fits, and gives the dialog's new size.
QSize FitTexts(std::vector<PlacedControl>& controls, QSize dialog);

}  // namespace framework
