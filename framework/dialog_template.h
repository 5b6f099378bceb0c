// A dialog described as data: its title, its size and every control with its position, all in
// dialog units. `Dialog` builds the window from it each time the dialog opens, with its texts
// in the user's language; they are written here in English, marked for the catalogue.
//
// Dialog units follow the dialog font: one horizontal unit is a quarter of the font's average
// character width and one vertical unit an eighth of its height, so a dialog keeps its
// proportions with whatever font the desktop substitutes for the one named.
#pragma once

#include <QString>
#include <vector>

#include "framework/standard_ids.h"
#include "text/translation.h"

namespace framework {

inline constexpr int kNoControlId = -1;

enum class ControlKind {
    DefPushButton,  // the button that Enter presses
    PushButton,
    AutoRadioButton,  // checks itself when clicked, unchecking the others of its box
    GroupBox,         // a frame with a title; takes no clicks
    StaticText,       // text that wraps within its rectangle
    Icon,             // an icon named by its text (theme name), else the application's icon
};

struct ControlTemplate {
    int id = kNoControlId;
    ControlKind kind = ControlKind::StaticText;
    QString text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool tabStop = false;
};

// A piece of static text.
inline ControlTemplate StaticText(const char* text, int x, int y, int width, int height) {
    ControlTemplate control;
    control.text = QString::fromUtf8(text);
    control.x = x;
    control.y = y;
    control.width = width;
    control.height = height;
    return control;
}

// The OK button that Enter presses (the standard 50 by 14 units).
inline ControlTemplate DefaultOkButton(int x, int y) {
    ControlTemplate ok = StaticText(text::TrNoop("OK"), x, y, 50, 14);
    ok.id = kIdOk;
    ok.kind = ControlKind::DefPushButton;
    ok.tabStop = true;
    return ok;
}

struct DialogTemplate {
    int id = 0;
    QString title;
    int width = 0;
    int height = 0;
    QString fontFamily = QStringLiteral("MS Sans Serif");
    int fontPointSize = 8;
    std::vector<ControlTemplate> controls;
};

}  // namespace framework
