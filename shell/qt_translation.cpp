#include "shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "text/translation.h"

namespace shell {

QTranslator* LoadQtTranslation(QCoreApplication& app) {
    const QString language = QString::fromStdString(text::CatalogueLanguage());
    if (language.isEmpty() || language == QLatin1String("en") ||
        language.startsWith(QLatin1String("en_")) || language.startsWith(QLatin1String("en@"))) {
        return nullptr;
    }
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace shell
