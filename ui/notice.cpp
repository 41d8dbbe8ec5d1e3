#include "notice.h"

#include "window_texts.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace vorlaine::ui {

void show_notice(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("notice"));
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    // Notices separate their lines with a bare carriage return.
    box.setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)
        ->setText(QString::fromUtf8(texts::notice_ok.data(),
                                    static_cast<qsizetype>(texts::notice_ok.size())));
    box.exec();
}

} // namespace vorlaine::ui
