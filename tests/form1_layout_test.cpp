// The window as it opens: its frame, its fonts and its result labels. Each
// control's design values are in form1_table_test, its start-up state and
// the tab walk in the behaviour table.
#include "widget_test_support.h"

#include <QFontMetrics>
#include <QProcess>
#include <QTemporaryDir>
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

    // The sizing sheet as a PDF, read back by pdftotext; its code by zbarimg.
    void sizingSheetAsPdf_data() {
        QTest::addColumn<bool>("inverter");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("lines");
        // The lines the sheet must hold, | between them.
        QTest::newRow("results and the link")
            << false << "https://example.org/vorlaine/"
            << QString("Vorlaine 系统配置单|负载功率 100 W|日平均工作时间 5 小时|日照数据类型 "
                       "平均日照时间|"
                       "平均日照时间 4 小时|阴雨天间格 5|当地纬度 北纬40|需要逆变器 "
                       "否|https://example.org/"
                       "vorlaine/"
                       "#Option=2&Text1=100&Text2=12&Text3=5&Text9=4&Text10=%E5%8C%97%E7%BA%AC40")
                   .split('|');
        QTest::newRow("the notice, no link")
            << true << ""
            << QString("需要逆变器 是|逆变器效率 0.8|电池电压 V|"
                       "提示: 您输入的数据为非常规值,如需对此计算.请升级本软件!")
                   .split('|');
    }
    void sizingSheetAsPdf() {
        QFETCH(bool, inverter);
        QFETCH(QString, address);
        QFETCH(QStringList, lines);
        Form1 form;
        for (auto [box, text] : {std::pair{"Text1", "100"},
                                 {"Text2", "12"},
                                 {"Text3", "5"},
                                 {"Text9", "4"},
                                 {"Text10", "北纬40"}})
            text_box(form, box)->setText(QString::fromUtf8(text));
        control<QAbstractButton>(form, "Option2")->setChecked(true);
        control<QAbstractButton>(form, "Check2")->setChecked(inverter);
        NoticeCatcher catcher; // closes the notice, if one comes
        form.Command1_Click();
        const auto sheet = form.sizing_sheet(address.toStdString());
        QTemporaryDir folder;
        const QString pdf = folder.filePath("sheet.pdf");
        QVERIFY(vorlaine::ui::sheet::write_pdf(sheet, pdf));
        const auto run = [](const QString& program, const QStringList& arguments) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished();
            return QString::fromUtf8(process.readAllStandardOutput()).simplified();
        };
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains("日期 " + sheet.printed_at), qPrintable(text));
        for (const auto& [name, value] : sheet.results) // as the window shows them
            lines << name + " " + value;
        for (const QString& line : lines)
            QVERIFY2(text.contains(line), qPrintable(line + " not in: " + text));
        QCOMPARE(text.contains("example.org"), !address.isEmpty());
        run("pdftoppm", {"-r", "150", "-png", "-singlefile", pdf, folder.filePath("sheet")});
        QCOMPARE(run("zbarimg", {"-q", "--raw", folder.filePath("sheet.png")}), sheet.link);
    }
};

VORLAINE_WINDOW_TEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
