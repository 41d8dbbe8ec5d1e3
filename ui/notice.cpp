#include "notice.h"

#include "design/window_texts.h"
#include "qt_text.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace vorlaine::ui {

QString notice_lines(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void show_notice(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("notice"));
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(notice_lines(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(qt_text(design::texts::notice_ok));
    box.exec();
}

} // namespace vorlaine::ui
