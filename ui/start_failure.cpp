#include "start_failure.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace vorlaine::ui {
namespace {

struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};

QtMessageHandler previous_handler = nullptr;
QList<HeldMessage>* held = nullptr;

// The first warning of the platform is the reason, before what the plugin
// loader concludes from it; Qt's own last words only advise reinstalling.
QString reason(const QString& fatal) {
    const QString loader = QStringLiteral("qt.qpa.plugin");
    for (bool from_loader : {false, true})
        for (const HeldMessage& message : *held)
            if (message.type >= QtWarningMsg && (message.category == loader) == from_loader)
                return message.text;
    return fatal;
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QString line =
            QStringLiteral("vorlaine: cannot open the window: ") + reason(text).simplified();
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::fflush(stderr);
        // Before Qt's abort, which would leave a core dump for a missing display.
        std::_Exit(1);
    }
    held->append({type, QString::fromLatin1(context.category ? context.category : ""), text});
}

} // namespace

StartFailureGuard::StartFailureGuard() {
    held = new QList<HeldMessage>;
    previous_handler = qInstallMessageHandler(hold);
}

StartFailureGuard::~StartFailureGuard() {
    qInstallMessageHandler(previous_handler);
    for (const HeldMessage& message : *held) {
        const QByteArray category = message.category.toLatin1();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        qt_message_output(message.type, context, message.text);
    }
    delete held;
    held = nullptr;
}

} // namespace vorlaine::ui
