// The Qt face of text/ for the window: the catalogue's texts (text/translation.h) and the names of
// files as its sentences show them, as QStrings. The framework's own texts and those of the tables
// it builds the window from (menus, prompts, dialog templates) are written in English, marked for
// the catalogue where they are written, and looked up here.
#pragma once

#include <QString>

namespace framework {

// The text in the user's language, as text::Tr gives it; an empty text stays empty.
QString QTr(const char* text);
QString QTranslated(const QString& text);

// A file's name escaped as text::EscapedName escapes it, and (Quoted) between the language's
// quotation marks, as text::Quoted puts it.
QString EscapedFileName(const QString& name);
QString QuotedFileName(const QString& name);

}  // namespace framework
