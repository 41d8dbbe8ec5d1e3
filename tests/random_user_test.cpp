// A seeded random user: thousands of things a person could do to the window,
// with the window's promises checked after each one. Set VORLAINE_SEED to
// replay a run; the seed and the step are printed on a failure.
#include "widget_test_support.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <array>
#include <cmath>
#include <random>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;

namespace {

const std::array<QString, 24> kPieces{"0",    "1",   "2",    "5", "12", "220", "2000", ".",
                                      "-",    "+",   "e",    "E", "D",  "&H",  "&O",   "e999",
                                      "e-99", "e39", "1e38", " ", "\t", "伏",  "瓦特", "abc"};

class RandomUser {
public:
    RandomUser(Form1& form, unsigned seed) : form_(form), rng_(seed) {}

    QString random_text() {
        // Often the plausible figures a person follows the captions with.
        if (pick(0, 2) == 0)
            return QString::number(pick(0, 2500) / std::pow(10.0, pick(0, 3)));
        QString text;
        for (int n = pick(0, 6); n > 0; --n)
            text += one_of(kPieces);
        if (pick(0, 40) == 0)
            text += QString(pick(1, 400), QLatin1Char('9'));
        return text;
    }

    // Does one thing and says what, for the failure message.
    QString act() {
        switch (pick(0, 10)) {
        case 0:
        case 1:
        case 2: {
            QLineEdit* box = random_enabled_text_box();
            const QString text = random_text();
            if (pick(0, 1))
                box->selectAll();
            if (pick(0, 1) && text.size() < 12) {
                type(box, text);
                return QStringLiteral("typed '%1' into %2").arg(text, box->objectName());
            }
            box->insert(text); // what a paste does
            return QStringLiteral("pasted '%1' into %2").arg(text, box->objectName());
        }
        case 3:
            return click(QStringLiteral("Check%1").arg(pick(1, 4)));
        case 4:
            return click(QStringLiteral("Option%1").arg(pick(1, 4)));
        case 5:
        case 6:
            return click(QStringLiteral("Command1"));
        case 7:
            return click(QStringLiteral("Command2"));
        case 8: {
            const QPoint at(pick(0, form_.width() - 1), pick(0, form_.height() - 1));
            QTest::mouseDClick(&form_, Qt::LeftButton, {}, at);
            return QStringLiteral("double clicked at %1,%2").arg(at.x()).arg(at.y());
        }
        case 9: {
            // A person who follows the captions fills in a whole, sensible set.
            const std::array<QString, 8> voltages{"1.2", "6", "12", "24", "36", "48", "220", "225"};
            const std::pair<const char*, QString> set[] = {
                {"Text1", QString::number(pick(1, 2000))},
                {"Text2", one_of(voltages)},
                {"Text3", QString::number(pick(1, 24))},
                {"Text9", QString::number(pick(1, 8))}};
            for (const auto& [name, text] : set) {
                QLineEdit* box = text_box(form_, name);
                box->selectAll();
                type(box, text);
            }
            return QStringLiteral("filled a sensible set of inputs");
        }
        default: {
            const std::array keys{Qt::Key_Tab,   Qt::Key_Backtab,   Qt::Key_Return, Qt::Key_Escape,
                                  Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Down};
            const Qt::Key key = one_of(keys);
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form_;
            QTest::keyClick(target, key);
            return QStringLiteral("pressed key %1 in %2").arg(key).arg(target->objectName());
        }
        }
    }

private:
    template <typename C> const typename C::value_type& one_of(const C& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng_)];
    }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    QLineEdit* random_enabled_text_box() {
        for (;;) {
            QLineEdit* box = text_box(form_, qPrintable(QStringLiteral("Text%1").arg(pick(1, 10))));
            if (box->isEnabled())
                return box;
        }
    }

    QString click(const QString& name) {
        auto* button = form_.findChild<QAbstractButton*>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        return QStringLiteral("clicked ") + name;
    }

    // QTest::keyClicks only knows ASCII; other characters arrive as an input
    // method would deliver them, as text on a key event.
    static void type(QWidget* box, const QString& text) {
        for (QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(box, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), {});
        }
    }

    Form1& form_;
    std::mt19937 rng_;
};

// A result is a float written to at most 7 significant digits: a blank or a
// minus sign, then plain digits without trailing zeros in the fraction, or
// one digit, a fraction and a two- or three-digit exponent.
bool is_float_text(const QString& number) {
    static const QRegularExpression shape(QStringLiteral(
        "^[ -](?:(?:0|[1-9][0-9]*)(?:\\.[0-9]*[1-9])?|[1-9](?:\\.[0-9]*[1-9])?E[+-][0-9]{2,3})$"));
    if (!shape.match(number).hasMatch() || number == QLatin1String("-0"))
        return false;
    QString digits = number.section('E', 0, 0);
    digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    while (digits.startsWith('0') && digits.size() > 1)
        digits.remove(0, 1);
    return digits.size() <= 7;
}

// Either the unit alone, or a number and the unit.
bool is_result(const QString& caption, const QString& unit) {
    return caption == unit ||
           (caption.endsWith(unit) && is_float_text(caption.chopped(unit.size())));
}

// The battery voltages the program knows, each with its panel voltage.
const std::pair<const char*, const char*> kVoltagePairs[] = {
    {" 1.2V", " 2V"}, {" 2.4V", " 4V"}, {" 3.6V", " 5.5V"}, {" 6V", " 7.5V"}, {" 7.2V", " 10.5V"},
    {" 12V", " 18V"}, {" 24V", " 36V"}, {" 36V", " 54V"},   {" 48V", " 72V"}};

bool voltages_pair_up(const QString& battery, const QString& panel) {
    if (battery == QLatin1String("V"))
        return panel == QLatin1String("V");
    for (const auto& [b, p] : kVoltagePairs)
        if (battery == QLatin1String(b))
            return panel == QLatin1String(p);
    return false;
}

QString broken_promise(const Form1& form) {
    const bool inverter = control<QCheckBox>(form, "Check2")->isChecked();
    if (text_box(form, "Text7")->isEnabled() != inverter ||
        control<QLabel>(form, "Label4")->isEnabled() != inverter)
        return QStringLiteral("the inverter field does not follow Check2");
    int selected = 0;
    for (int i = 1; i <= 4; ++i) {
        auto* option = control<QRadioButton>(form, qPrintable(QStringLiteral("Option%1").arg(i)));
        if (option->isChecked()) {
            ++selected;
            if (caption(form, "Label18") != option->text())
                return QStringLiteral("Label18 does not name the selected option");
        }
    }
    if (selected != 1)
        return QStringLiteral("%1 options are selected").arg(selected);
    const std::pair<const char*, const char*> units[] = {
        {"Label12", "V"}, {"Label8", "V"}, {"Label9", "Ah"}, {"Label13", "W"}};
    for (const auto& [name, unit] : units)
        if (!is_result(caption(form, name), QString::fromLatin1(unit)))
            return QStringLiteral("%1 reads '%2'")
                .arg(QString::fromLatin1(name), caption(form, name));
    if (!voltages_pair_up(caption(form, "Label12"), caption(form, "Label8")))
        return QStringLiteral("battery %1 with panel %2")
            .arg(caption(form, "Label12"), caption(form, "Label8"));
    if (!caption(form, "Label15").endsWith(QStringLiteral("度")))
        return QStringLiteral("Label15 lost its unit");
    if (form.size() != QSize(615, 522))
        return QStringLiteral("the window changed its size");
    for (const char* name : {"Check1", "Check3", "Check4"})
        if (control<QCheckBox>(form, name)->isEnabled())
            return QString::fromLatin1(name) + QStringLiteral(" became enabled");
    if (QApplication::activeModalWidget())
        return QStringLiteral("a notice was left open");
    return {};
}

} // namespace

class RandomUserTest : public QObject {
    Q_OBJECT

private slots:
    void thousandsOfActionsKeepEveryPromise() {
        const unsigned seed = qEnvironmentVariableIsSet("VORLAINE_SEED")
                                  ? qEnvironmentVariable("VORLAINE_SEED").toUInt()
                                  : 20261208U;
        const int steps = qEnvironmentVariableIntValue("VORLAINE_STEPS") > 0
                              ? qEnvironmentVariableIntValue("VORLAINE_STEPS")
                              : 10000;
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        NoticeCatcher catcher;
        RandomUser user(form, seed);
        int results_shown = 0;
        for (int step = 0; step < steps; ++step) {
            const QString action = user.act();
            results_shown += caption(form, "Label13") != QStringLiteral("W");
            const QString broken = broken_promise(form);
            QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1, step %2, after %3: %4")
                                                      .arg(seed)
                                                      .arg(step)
                                                      .arg(action, broken)));
        }
        qInfo("seed %u: %d actions, %zu notices closed, results on show after %d of them", seed,
              steps, catcher.seen().size(), results_shown);
        // A run that never got as far as a result has tested nothing of them.
        QVERIFY2(results_shown > steps / 100, "results were (almost) never shown");
    }
};

VORLAINE_WINDOW_TEST_MAIN(RandomUserTest)
#include "random_user_test.moc"
