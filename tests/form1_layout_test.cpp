// The window as it opens: its frame, its fonts and its result labels. Each
// control's design values are in form1_table_test, its start-up state and
// the tab walk in the behaviour table.
#include "widget_test_support.h"

#include "ui/fonts.h"

#include <QFontMetrics>
#include <QTest>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setFont(vorlaine::ui::dialog_font());
        quiet_offscreen_warnings();
    }

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

    void resultLabelsAreRightAlignedAndNamedForScreenReaders() {
        Form1 form;
        const std::pair<const char*, const char*> results[] = {{"Label12", "电池电压"},
                                                               {"Label9", "电池容量"},
                                                               {"Label8", "太阳能电池板电压"},
                                                               {"Label13", "太阳能电池板功率"},
                                                               {"Label15", "安装角度"}};
        for (const auto& [name, spoken] : results) {
            QLabel* label = control<QLabel>(form, name);
            QVERIFY(label->alignment() & Qt::AlignRight);
            QCOMPARE(label->accessibleName(), QString::fromUtf8(spoken));
        }
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
