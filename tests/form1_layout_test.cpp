// The window as it opens: its controls, their design values, the start-up
// state, and how the keyboard moves through it.
#include "widget_test_support.h"

#include "ui/fonts.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
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

    void everyControlHasItsDesignerNameAndKind() {
        Form1 form;
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Vorlaine"));
        int count = 0;
        const auto expect = [&](const char* prefix, int n, const char* class_name) {
            for (int i = 1; i <= n; ++i) {
                const QString name = QString::fromLatin1(prefix) + QString::number(i);
                QWidget* w = form.findChild<QWidget*>(name);
                QVERIFY2(w, qPrintable(name));
                QVERIFY2(w->inherits(class_name), qPrintable(name));
                ++count;
            }
        };
        expect("Text", 10, "QLineEdit");
        expect("Label", 21, "QLabel");
        expect("Check", 4, "QCheckBox");
        expect("Option", 4, "QRadioButton");
        expect("Command", 2, "QPushButton");
        expect("Frame", 1, "QGroupBox");
        expect("Image", 1, "QWidget");
        expect("Line", 1, "QFrame");
        QCOMPARE(count, 44);
        // The options and check boxes sit inside the frame.
        QCOMPARE(control<QRadioButton>(form, "Option3")->parentWidget()->objectName(),
                 QStringLiteral("Frame1"));
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

    void geometryFollowsTheTwipsTable() {
        Form1 form;
        QCOMPARE(text_box(form, "Text1")->geometry(), QRect(153, 160, 80, 23));
        QCOMPARE(text_box(form, "Text7")->geometry(), QRect(433, 240, 80, 23));
        QCOMPARE(control<QGroupBox>(form, "Frame1")->geometry(), QRect(296, 280, 249, 153));
        // Inside the frame, positions are the frame's own.
        QCOMPARE(control<QCheckBox>(form, "Check2")->geometry(), QRect(140, 24, 80, 17));
        QCOMPARE(control<QPushButton>(form, "Command2")->geometry(), QRect(320, 467, 267, 33));
        QCOMPARE(control<QWidget>(form, "Image1")->size(), QSize(129, 57));
        QCOMPARE(control<QWidget>(form, "Line1")->geometry(), QRect(8, 136, 592, 1));
    }

    void captionsKeepTheirBlanks() {
        Form1 form;
        QCOMPARE(caption(form, "Label2"), QStringLiteral("负载功率 "));
        QCOMPARE(caption(form, "Label17"), QStringLiteral("日平均工作时间 "));
        QCOMPARE(caption(form, "Label19"), QStringLiteral("电池放电深度   "));
        QCOMPARE(caption(form, "Label4"), QStringLiteral("逆变器效率  "));
        QCOMPARE(caption(form, "Label5"), QStringLiteral("让 我 们 的 生 活 充 满 绿 色"));
        QCOMPARE(control<QGroupBox>(form, "Frame1")->title(), QStringLiteral("系统计算配置"));
    }

    void coloursAndTheSloganFont() {
        Form1 form;
        const QColor dark_red(192, 0, 0);
        for (const char* name : {"Label2", "Label16", "Label17", "Label18", "Option1", "Option4"})
            QCOMPARE(control<QWidget>(form, name)->palette().color(QPalette::WindowText), dark_red);
        QCOMPARE(control<QWidget>(form, "Label3")->palette().color(QPalette::WindowText),
                 form.palette().color(QPalette::WindowText));
        QLabel* slogan = control<QLabel>(form, "Label5");
        QCOMPARE(slogan->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(slogan->font().pointSize(), 12);
        QCOMPARE(slogan->font().weight(), QFont::Bold);
        // 宋体 is not installed here: a Chinese serif face stands in, with real glyphs.
        QVERIFY(QFontMetrics(slogan->font()).inFont(QChar(0x7eff))); // 绿
        QVERIFY(QFontMetrics(form.font()).inFont(QChar(0x7535)));    // 电
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
        // Each text box is announced by the caption beside it.
        QCOMPARE(control<QLabel>(form, "Label2")->buddy(), text_box(form, "Text1"));
        QCOMPARE(control<QLabel>(form, "Label18")->buddy(), text_box(form, "Text9"));
        QCOMPARE(control<QLabel>(form, "Label4")->buddy(), text_box(form, "Text7"));
    }

    void startsInTheStateOfItsLoadHandler() {
        Form1 form;
        QVERIFY(control<QCheckBox>(form, "Check1")->isChecked());
        QVERIFY(!control<QCheckBox>(form, "Check1")->isEnabled());
        QVERIFY(!control<QCheckBox>(form, "Check2")->isChecked());
        QVERIFY(control<QCheckBox>(form, "Check2")->isEnabled());
        for (const char* name : {"Check3", "Check4"}) {
            QVERIFY(!control<QCheckBox>(form, name)->isChecked());
            QVERIFY(!control<QCheckBox>(form, name)->isEnabled());
        }
        QVERIFY(control<QRadioButton>(form, "Option1")->isChecked());
        for (const char* name : {"Option2", "Option3", "Option4"})
            QVERIFY(!control<QRadioButton>(form, name)->isChecked());
        QCOMPARE(caption(form, "Label18"), QStringLiteral("有效日照时间"));
        QVERIFY(!text_box(form, "Text7")->isEnabled());
        QVERIFY(!control<QLabel>(form, "Label4")->isEnabled());
        const std::pair<const char*, const char*> texts[] = {
            {"Text1", ""},     {"Text2", ""},    {"Text3", ""},     {"Text4", "1"}, {"Text5", "5"},
            {"Text6", "0.75"}, {"Text7", "0.8"}, {"Text8", "0.85"}, {"Text9", ""},  {"Text10", ""}};
        for (const auto& [name, text] : texts)
            QCOMPARE(text_of(form, name), QString::fromLatin1(text));
        const std::pair<const char*, const char*> units[] = {{"Label12", "V"},
                                                             {"Label8", "V"},
                                                             {"Label9", "Ah"},
                                                             {"Label13", "W"},
                                                             {"Label15", "度"}};
        for (const auto& [name, unit] : units)
            QCOMPARE(caption(form, name), QString::fromUtf8(unit));
    }

    void focusStartsInText1AndTabFollowsTheTabIndex() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), text_box(form, "Text1"));
        QCOMPARE(tab_cycle(form),
                 QStringList({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Command1",
                              "Command2", "Text8", "Text9", "Check2", "Option1", "Text10"}));
    }

    void inverterFieldAndSelectedOptionAreTabStops() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        control<QCheckBox>(form, "Check2")->click();
        control<QRadioButton>(form, "Option3")->click();
        text_box(form, "Text1")->setFocus();
        QCOMPARE(tab_cycle(form), QStringList({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6",
                                               "Text7", "Command1", "Command2", "Text8", "Text9",
                                               "Check2", "Option3", "Text10"}));
    }

    void enterAndEscapePressNothing() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const std::pair<const char*, const char*> inputs[] = {
            {"Text1", "60"}, {"Text2", "12"}, {"Text3", "5"}, {"Text9", "5"}};
        for (const auto& [name, text] : inputs)
            text_box(form, name)->setText(QString::fromLatin1(text));
        NoticeCatcher catcher;
        QLineEdit* box = text_box(form, "Text9");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(caption(form, "Label12"), QStringLiteral("V"));
        QCOMPARE(text_of(form, "Text1"), QStringLiteral("60"));
        QVERIFY(catcher.seen().empty());
        QVERIFY(form.isVisible());
    }

    void disabledCheckBoxesIgnoreClicks() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (const char* name : {"Check1", "Check3", "Check4"}) {
            auto* box = control<QCheckBox>(form, name);
            const bool before = box->isChecked();
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), before);
        }
    }

private:
    // Presses Tab until the focus comes back to where it started.
    static QStringList tab_cycle(Form1& form) {
        QStringList names;
        QWidget* start = QApplication::focusWidget();
        QWidget* w = start;
        do {
            names << w->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
            w = QApplication::focusWidget();
        } while (w && w != start && names.size() < 50);
        Q_UNUSED(form);
        return names;
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
