// The texts the window shows, in the user's language: the framework's own and those of the
// tables it builds the window from (menus, prompts, dialog templates), which are written in
// English and marked for the catalogue where they are written. They are looked up in the
// program's default gettext domain, which the program sets at start; a program that sets none
// shows them as written.
#pragma once

#include <QString>

namespace framework {

// The text in the user's language; an empty text stays empty.
QString Tr(const char* text);
QString Translated(const QString& text);
// Marks a text for the catalogue without looking it up.
constexpr const char* TrNoop(const char* text) {
    return text;
}

}  // namespace framework
