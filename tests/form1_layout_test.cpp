// The window as it opens: its frame, its fonts and its result labels. Each
// control's design values are in form1_table_test, its start-up state and
// the tab walk in the behaviour table.
#include "widget_test_support.h"

#include <QFontMetrics>
#include <QTest>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowHasAFixedSizeAndOnlyACloseButton() {
        Form1 form;
        QCOMPARE(form.size(), QSize(615, 522));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!form.inherits("QDialog"));
    }

    void chineseTextHasRealGlyphs() {
        Form1 form;
        // 宋体 is not installed here: a Chinese serif face stands in, with real glyphs.
        QVERIFY(QFontMetrics(control<QLabel>(form, "Label5")->font()).inFont(QChar(0x7eff))); // 绿
        QVERIFY(QFontMetrics(form.font()).inFont(QChar(0x7535)));                             // 电
    }

    void resultLabelsAreRightAligned() {
        Form1 form;
        for (const char* name : {"Label12", "Label9", "Label8", "Label13", "Label15"})
            QVERIFY2(control<QLabel>(form, name)->alignment() & Qt::AlignRight, name);
    }
};

VORLAINE_WINDOW_TEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
