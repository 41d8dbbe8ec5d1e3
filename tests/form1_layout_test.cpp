// The window as it opens: its frame, its fonts and its result labels. Each
// control's design values are in form1_table_test, its start-up state and
// the tab walk in the behaviour table.
#include "ui/load_list_window.h"
#include "widget_test_support.h"

#include <QTableWidget>

#include <QDate>
#include <QFontMetrics>
#include <QProcess>
#include <QPushButton>
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

    // The sizing sheet through Ctrl+P, printed to PDF and read back by
    // pdftotext; its code, with a link, by zbarimg. Steps: Box=text, a check
    // box or option to tick, or a button's caption to click.
    void sizingSheetAsPdf_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("present"); // lines the sheet holds, | between them
        QTest::addColumn<QString>("absent");
        QTest::addColumn<QString>("fragment"); // the code's, after the address
        const QString example = "Text1=100|Text2=12|Text3=5|Text9=4|Text10=北纬40|Option2";
        const QString link = "Option=2&Text1=100&Text2=12&Text3=5&Text9=4";
        const QString latitude = "&Text10=%E5%8C%97%E7%BA%AC40";
        const QString north(400, QChar(0x5317)); // 北
        QTest::newRow("a change after 计算")
            << example + "|计算|Text1=500"
            << "计算之后窗口已有改动|负载功率 100 W|电池容量 130.7189Ah"
            << "500" << link + latitude;
        QTest::newRow("a notice after results")
            << example + "|计算|Text1=1e12|Check2|计算"
            << "负载功率 1e12 W|逆变器效率 0.8|电池电压 —|提示: 您输入的数据为非常规值"
            << "130.7189" << QString(link).replace("Text1=100", "Check2=1&Text1=1e12") + latitude;
        QTest::newRow("the inverter advice")
            << "Text1=100|Text2=220|Text3=8|Text9=15000|Text10=40|Option3|Check2|计算"
            << "平均日辐射量 15000 kJ/m²|提示: 如果您使用的是电视|要使用正弦波逆变器!|安装角度 40度"
            << "15000小时"
            << "Option=3&Check2=1&Text1=100&Text2=220&Text3=8&Text9=15000&Text10=40";
        QTest::newRow("清除 then print") << "Text2=220|计算|清除"
                                         << "尚未计算|负载功率 负载电压"
                                         << "提示|220|电池电压"
                                         << "";
        QTest::newRow("a print before any 计算") << example << "尚未计算|负载功率 100 W"
                                                 << "电池电压" << link + latitude;
        QTest::newRow("a 400-character 当地纬度")
            << QString(example).replace("北纬40", north) + "|计算"
            << north.left(40) + "…（共 400 个字符）|安装角度 " + north.left(40) +
                   "…（共 401 个字符）"
            << north.left(41) << link;
        QTest::newRow("the load list that filled the window, and the plan")
            << "list:灯,2,50,5.5|Text2=12|Text9=4|Text10=北纬40|Option2|计算"
            << "负载清单|灯 2 50 5.5|总功率 P：100W|配置建议|蓄电池组：1块串联，2串并联"
            << "尚未计算"
            << QString(link).replace("Text3=5", "Text3=5.5") + latitude +
                   "&Loads=%E7%81%AF%2C2%2C50%2C5.5";
    }
    void sizingSheetAsPdf() {
        QFETCH(QString, steps);
        QFETCH(QString, present);
        QFETCH(QString, absent);
        QFETCH(QString, fragment);
        Form1 form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        NoticeCatcher catcher; // closes each notice as it comes
        for (const QString& step : steps.split('|')) {
            const QString box = step.section('=', 0, 0);
            if (step.startsWith("list:")) { // one row typed into the list, then 填入
                auto* list = vorlaine::ui::LoadListWindow::open(&form);
                if (list->table()->rowCount() == 0)
                    list->add_row();
                const QStringList cells = step.mid(5).split(',');
                for (int c = 0; c < 4; ++c)
                    list->table()->setItem(0, c, new QTableWidgetItem(cells[c]));
                list->fill_window();
            } else if (step.contains('='))
                text_box(form, qPrintable(box))->setText(step.section('=', 1));
            else if (auto* button = control<QPushButton>(form, step.startsWith("计") ? "Command1"
                                                                                     : "Command2");
                     step.startsWith("计") || step.startsWith("清"))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                control<QAbstractButton>(form, qPrintable(step))->setChecked(true);
        }
        QTemporaryDir folder;
        const QString pdf = folder.filePath("sheet.pdf");
        const auto run = [](const QString& program, const QStringList& arguments) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished();
            return QString::fromUtf8(process.readAllStandardOutput()).simplified();
        };
        // Ctrl+P as the person presses it: first with no module to be found,
        // which says so, then again with it.
        qputenv("VORLAINE_PRINT_TO", pdf.toUtf8());
        const auto press_ctrl_p = [&form] {
            form.activateWindow(); // back from the last notice
            return QTest::qWaitForWindowActive(&form) &&
                   (QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier), true);
        };
        const auto notices = catcher.seen().size();
        QVERIFY(press_ctrl_p());
        QTRY_COMPARE(catcher.seen().size(), notices + 1);
        QVERIFY(catcher.seen().back().text.startsWith("无法开始打印：打印模块未能载入。"));
        qputenv("VORLAINE_PRINT_MODULE_DIR", VORLAINE_PRINT_MODULE_DIR);
        QVERIFY(press_ctrl_p());
        qunsetenv("VORLAINE_PRINT_MODULE_DIR");
        QCOMPARE(catcher.seen().size(), notices + 1);
        QVERIFY2(run("pdfinfo", {pdf}).contains("Pages: 1 "), "not one page");
        // Compared without blanks: pdftotext sets them as the glyphs stand.
        const QString text = run("pdftotext", {"-layout", pdf, "-"}).remove(' ');
        QVERIFY(text.startsWith("Vorlaine系统配置单日期" +
                                QDate::currentDate().toString("yyyy-MM-dd")));
        for (const QString& line : present.split('|'))
            QVERIFY2(text.contains(QString(line).remove(' ')),
                     qPrintable(line + " not in: " + text));
        for (const QString& line : absent.split('|'))
            QVERIFY2(!text.contains(QString(line).remove(' ')), qPrintable(line + " in: " + text));
        // The same sheet with a link: its code opens the recorded inputs.
        const QString address = "https://example.org/vorlaine/";
        QVERIFY(vorlaine::ui::sheet::write_pdf(form.sizing_sheet(address.toStdString()), pdf));
        run("pdftoppm", {"-r", "150", "-png", "-singlefile", pdf, folder.filePath("sheet")});
        QCOMPARE(run("zbarimg", {"-q", "--raw", folder.filePath("sheet.png")}),
                 address + (fragment.isEmpty() ? "" : "#" + fragment));
    }
};

VORLAINE_WINDOW_TEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
