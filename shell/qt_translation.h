// Qt's own texts (the file and print dialogs, the standard buttons, the names of keys) in the
// language of Torvel's own: Qt's translation for the very language of the catalogue that
// gettext chose (text/translation.h), never a guess of its own, so that a window never mixes
// two languages. English, and a language Qt has no translation for, load none.
#pragma once

class QCoreApplication;
class QTranslator;

namespace shell {

// Installs Qt's translation into the application, which owns it; null when none is loaded.
QTranslator* LoadQtTranslation(QCoreApplication& app);

}  // namespace shell
