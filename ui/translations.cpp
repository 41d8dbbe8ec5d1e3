#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vorlaine::ui {

bool load_qt_translations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // By its exact name: a search by locale tries a dozen names first.
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace vorlaine::ui
