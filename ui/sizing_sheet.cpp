#include "sizing_sheet.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPluginLoader>

namespace vorlaine::ui::sheet {

Printer* load_printer() {
    // Beside the program in the build folder, else where it is installed.
    const QString program = QCoreApplication::applicationDirPath();
    QStringList folders{program, program + QStringLiteral("/" VORLAINE_MODULE_FROM_PROGRAM)};
    // A build tree run from elsewhere (the tests) names its module's folder.
    if (const QString named = qEnvironmentVariable("VORLAINE_PRINT_MODULE_DIR"); !named.isEmpty())
        folders.prepend(named);
    for (const QString& folder : folders) {
        QPluginLoader module(folder + QStringLiteral("/vorlaine_print"));
        if (auto* printer = qobject_cast<Printer*>(module.instance()))
            return printer;
    }
    qWarning("vorlaine: cannot load the print module vorlaine_print");
    return nullptr;
}

std::string_view web_address() {
    return VORLAINE_WEB_ADDRESS;
}

design::sheet::Moment now() {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

} // namespace vorlaine::ui::sheet
