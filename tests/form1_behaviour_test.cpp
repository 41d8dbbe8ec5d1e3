// What each control does: cascades, the clear button, the calculation's
// notices and captions, and the information box.
#include "widget_test_support.h"

#include "ui/fonts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;

namespace {

void fill(Form1& form, std::initializer_list<std::pair<const char*, const char*>> texts) {
    for (const auto& [name, text] : texts)
        text_box(form, name)->setText(QString::fromUtf8(text));
}

void fill_worked_example(Form1& form) {
    fill(form,
         {{"Text1", "60"}, {"Text2", "12"}, {"Text3", "5"}, {"Text9", "5"}, {"Text10", "30"}});
}

QStringList results(const Form1& form) {
    QStringList out;
    for (const char* name : {"Label12", "Label8", "Label9", "Label13", "Label15"})
        out << caption(form, name);
    return out;
}

const QStringList kUnits{"V", "V", "Ah", "W", "度"};

} // namespace

class Form1BehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setFont(vorlaine::ui::dialog_font());
        quiet_offscreen_warnings();
    }

    void rainyDaysFillTheInterval() {
        Form1 form;
        QLineEdit* days = text_box(form, "Text4");
        const std::pair<const char*, const char*> cases[] = {
            {"2", " 10"}, {"1.5", " 7.5"}, {"-1", "-5"}, {"", " 0"}, {"abc", " 0"}};
        for (const auto& [typed, interval] : cases) {
            days->selectAll();
            QTest::keyClicks(days, QString::fromLatin1(typed));
            if (!*typed)
                QTest::keyClick(days, Qt::Key_Backspace);
            QCOMPARE(text_of(form, "Text5"), QString::fromLatin1(interval));
        }
        // A hand-edited interval is overwritten by the next edit of the days.
        text_box(form, "Text5")->setText(QStringLiteral("7"));
        days->setText(QStringLiteral("3"));
        QCOMPARE(text_of(form, "Text5"), QStringLiteral(" 15"));
    }

    void inverterBoxSwitchesItsEfficiencyField() {
        Form1 form;
        QCheckBox* inverter = control<QCheckBox>(form, "Check2");
        QLineEdit* efficiency = text_box(form, "Text7");
        QLabel* label = control<QLabel>(form, "Label4");
        inverter->click();
        QVERIFY(efficiency->isEnabled());
        QVERIFY(label->isEnabled());
        efficiency->setText(QStringLiteral("0.9"));
        inverter->click();
        QVERIFY(!efficiency->isEnabled());
        QVERIFY(!label->isEnabled());
        QCOMPARE(efficiency->text(), QStringLiteral("0.9"));
    }

    void optionsRenameTheSunshineField() {
        Form1 form;
        const std::pair<const char*, const char*> options[] = {{"Option3", "平均日辐射量"},
                                                               {"Option2", "平均日照时间"},
                                                               {"Option4", "平均年辐射量"},
                                                               {"Option1", "有效日照时间"}};
        for (const auto& [name, text] : options) {
            control<QRadioButton>(form, name)->click();
            QCOMPARE(caption(form, "Label18"), QString::fromUtf8(text));
        }
    }

    void clearWritesInItsOwnOrder() {
        Form1 form;
        for (int box = 1; box <= 10; ++box)
            text_box(form, qPrintable(QStringLiteral("Text%1").arg(box)))
                ->setText(QStringLiteral("x%1").arg(box));
        control<QCheckBox>(form, "Check1")->setChecked(false);
        for (const char* name : {"Check2", "Check3", "Check4", "Option3"})
            control<QAbstractButton>(form, name)->setChecked(true);
        // Every change as it happens, cascades included.
        QStringList writes;
        for (QLineEdit* box : form.findChildren<QLineEdit*>())
            connect(box, &QLineEdit::textChanged, box, [&writes, box](const QString& text) {
                writes << box->objectName() + '=' + text;
            });
        for (QAbstractButton* button : form.findChildren<QAbstractButton*>())
            connect(button, &QAbstractButton::toggled, button, [&writes, button](bool on) {
                if (on || !button->inherits("QRadioButton"))
                    writes << button->objectName() + (on ? "=on" : "=off");
            });
        control<QPushButton>(form, "Command2")->click();
        QCOMPARE(writes, QStringList({"Text6=0.75", "Text7=0.8", "Text8=0.85",
                                      "Text1=", "Text2=", "Text3=", "Text5=", "Text5= 5", "Text4=1",
                                      "Text5=5", "Text9=", "Text10=", "Check1=on", "Option1=on",
                                      "Check2=off", "Check3=off", "Check4=off"}));
    }

    void clearRestoresEveryDefault() {
        Form1 form;
        fill_worked_example(form);
        fill(form, {{"Text4", "3"}, {"Text6", "0.5"}, {"Text8", "0.7"}});
        control<QCheckBox>(form, "Check2")->click();
        text_box(form, "Text7")->setText(QStringLiteral("0.9"));
        fill(form, {{"Text2", "220"}});
        control<QRadioButton>(form, "Option3")->click();
        fill(form, {{"Text9", "18000"}});
        {
            NoticeCatcher catcher;
            control<QPushButton>(form, "Command1")->click();
        }
        QVERIFY(caption(form, "Label12") != QStringLiteral("V"));

        control<QPushButton>(form, "Command2")->click();
        for (const char* name : {"Text1", "Text2", "Text3", "Text9", "Text10"})
            QCOMPARE(text_of(form, name), QString());
        QCOMPARE(text_of(form, "Text4"), QStringLiteral("1"));
        QCOMPARE(text_of(form, "Text5"), QStringLiteral("5"));
        QCOMPARE(text_of(form, "Text6"), QStringLiteral("0.75"));
        QCOMPARE(text_of(form, "Text7"), QStringLiteral("0.8"));
        QCOMPARE(text_of(form, "Text8"), QStringLiteral("0.85"));
        QVERIFY(!text_box(form, "Text7")->isEnabled());
        QVERIFY(!control<QLabel>(form, "Label4")->isEnabled());
        QVERIFY(control<QRadioButton>(form, "Option1")->isChecked());
        QVERIFY(!control<QRadioButton>(form, "Option3")->isChecked());
        QCOMPARE(caption(form, "Label18"), QStringLiteral("有效日照时间"));
        QVERIFY(control<QCheckBox>(form, "Check1")->isChecked());
        QVERIFY(!control<QCheckBox>(form, "Check2")->isChecked());
        QVERIFY(!control<QCheckBox>(form, "Check3")->isChecked());
        QCOMPARE(results(form), kUnits);
    }

    // What 计算 shows, notice by notice, is checked over the reference cases
    // in reference_window_test; here what they cannot show.

    void faultKeepsTheCaptionsWrittenBeforeIt() {
        Form1 form;
        fill_worked_example(form);
        NoticeCatcher catcher;
        control<QPushButton>(form, "Command1")->click();
        QVERIFY(catcher.seen().empty());
        fill(form, {{"Text6", "0"}, {"Text1", "120"}, {"Text2", "24"}, {"Text10", "40"}});
        control<QPushButton>(form, "Command1")->click();
        QCOMPARE(catcher.seen().size(), 1U);
        QCOMPARE(catcher.seen()[0].title, QStringLiteral("错误"));
        QCOMPARE(results(form), QStringList({" 24V", " 36V", " 78.43137Ah", " 129.6W", "30度"}));
    }

    void doubleClickOnTheBackgroundShowsTheInformationBox() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        NoticeCatcher catcher;
        QTest::mouseDClick(&form, Qt::LeftButton, {}, QPoint(600, 300));
        QCOMPARE(catcher.seen().size(), 1U);
        QCOMPARE(catcher.seen()[0].title, QStringLiteral("信息"));
        const QStringList lines = catcher.seen()[0].text.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("         Vorlaine             版本: 1.0 "));
        QCOMPARE(lines[0].size(), 38);
        QCOMPARE(lines[1], QStringLiteral("      此软件仅供大家参考 , 如有问题 , 请多多指教 ! "));
        QCOMPARE(lines[1].size(), 33);
        QVERIFY(lines[2].startsWith(QStringLiteral("编者:")));
        QVERIFY(lines[2].contains(QStringLiteral("  E-mail:")));
        QVERIFY(lines[2].contains(QStringLiteral("  QQ:")));
        QCOMPARE(lines[3], QStringLiteral("         Hollandry!"));
        QCOMPARE(catcher.seen()[0].icon, QMessageBox::NoIcon);
    }

    void doubleClickOnAControlShowsNothing() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        NoticeCatcher catcher;
        for (const char* name : {"Label6", "Label12", "Label5", "Text1", "Text7", "Frame1",
                                 "Image1", "Check1", "Option2"}) {
            QWidget* w = control<QWidget>(form, name);
            QTest::mouseDClick(w, Qt::LeftButton, {}, w->rect().center());
        }
        // The frame's own empty area, away from its controls.
        auto* frame = control<QGroupBox>(form, "Frame1");
        QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(120, 145));
        QVERIFY(catcher.seen().empty());
    }
};

QTEST_MAIN(Form1BehaviourTest)
#include "form1_behaviour_test.moc"
