// Qt's own texts in the window are Chinese under an English locale: the
// right-click menu of every text box, read from the menu that really opens.
#include "ui/translations.h"
#include "widget_test_support.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;

namespace {

// The entries of the menu a right click opens, read while it is open; then
// it is closed as a user would.
QStringList right_click_menu(QLineEdit* box) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    QStringList entries;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            entries << action->text();
    menu->close();
    return entries;
}

} // namespace

class QtChineseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QLocale::system().language() != QLocale::Chinese, "run under an English locale");
        QVERIFY(vorlaine::ui::load_qt_translations(*QCoreApplication::instance()));
    }

    void everyBoxHasAChineseMenu() {
        Form1 form;
        const QRegularExpression han(QStringLiteral("\\p{Han}"));
        const QStringList english{"&Undo",  "&Redo",  "Cu&t",      "&Copy",
                                  "&Paste", "Delete", "Select All"};
        for (int i = 1; i <= 10; ++i) {
            QLineEdit* box = text_box(form, qPrintable(QStringLiteral("Text%1").arg(i)));
            box->setEnabled(true);
            const QStringList entries = right_click_menu(box);
            QVERIFY2(entries.size() >= english.size(), qPrintable(entries.join(u'|')));
            for (const QString& entry : entries) {
                QVERIFY2(entry.contains(han),
                         qPrintable(QStringLiteral("Text%1: ").arg(i) + entry));
                QVERIFY2(!english.contains(entry), qPrintable(entry));
            }
        }
    }
};

QTEST_MAIN(QtChineseTest)
#include "qt_chinese_test.moc"
