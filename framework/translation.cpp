#include "framework/translation.h"

#include <libintl.h>

namespace framework {

QString Tr(const char* text) {
    return QString::fromUtf8(text == nullptr || *text == '\0' ? "" : ::gettext(text));
}

QString Translated(const QString& text) {
    return text.isEmpty() ? text : Tr(text.toUtf8().constData());
}

}  // namespace framework
