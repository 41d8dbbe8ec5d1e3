// The window as it opens: its frame, the start-up state, and how the keyboard
// moves through it. Each control's design values are in form1_table_test.
#include "widget_test_support.h"

#include "ui/fonts.h"

#include <QCheckBox>
#include <QFontMetrics>
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

    void startsInTheStateOfItsLoadHandler() {
        // Texts, captions and enabled flags are checked row by row in
        // form1_table_test; here the ticks and the selected option.
        Form1 form;
        const std::pair<const char*, bool> ticks[] = {
            {"Check1", true},  {"Check2", false},  {"Check3", false},  {"Check4", false},
            {"Option1", true}, {"Option2", false}, {"Option3", false}, {"Option4", false}};
        for (const auto& [name, ticked] : ticks)
            QVERIFY2(control<QAbstractButton>(form, name)->isChecked() == ticked, name);
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
