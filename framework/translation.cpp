#include "framework/translation.h"

#include <QFile>

#include "text/escaped_name.h"
#include "text/translation.h"

namespace framework {

QString QTr(const char* text) {
    return QString::fromUtf8(text::Tr(text));
}

QString QTranslated(const QString& text) {
    return text.isEmpty() ? text : QTr(text.toUtf8().constData());
}

QString EscapedFileName(const QString& name) {
    return QString::fromStdString(text::EscapedName(QFile::encodeName(name).toStdString()));
}

QString QuotedFileName(const QString& name) {
    return QString::fromStdString(
        text::Quoted(text::Quotes::Double, QFile::encodeName(name).toStdString()));
}

}  // namespace framework
