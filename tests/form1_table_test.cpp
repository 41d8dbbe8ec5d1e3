// Every control of the window against its row in data/form1-controls.tsv:
// kind, container, geometry, caption, colour in every palette group, font,
// enabled flag, focus policy, and the caption-to-box link. The keyboard's walk
// and what the controls do are in data/window-behaviour.jsonl.
#include "widget_test_support.h"

#include "design/control_table.h"
#include "ui/readable_colour.h"
#include "ui/rendered_images.h"

#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;

namespace {

struct Row {
    QString name, class_name, parent, caption;
    QRect twips;
    int tab_index = -1; // -1: none
    QString colour, font;
    bool enabled = true;
    QString buddy; // empty: none
};

QList<Row> read_rows() {
    QFile file(QStringLiteral(VORLAINE_TEST_DATA_DIR "/form1-controls.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QList<Row> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split('\t');
        if (f.size() != 13)
            qFatal("bad row: %s", qPrintable(line));
        Row r;
        r.name = f[0];
        r.class_name = f[1];
        r.parent = f[2];
        r.caption = f[3].mid(1, f[3].size() - 2); // without its quotes
        r.twips = QRect(f[4].toInt(), f[5].toInt(), f[6].toInt(), f[7].toInt());
        r.tab_index = f[8] == QLatin1String("-") ? -1 : f[8].toInt();
        r.colour = f[9];
        r.font = f[10];
        r.enabled = f[11] == QLatin1String("yes");
        r.buddy = f[12] == QLatin1String("-") ? QString() : f[12];
        rows << r;
    }
    return rows;
}

const QList<Row>& rows() {
    static const QList<Row> all = read_rows();
    return all;
}

const Row& row(const QString& name) {
    return *std::find_if(rows().begin(), rows().end(),
                         [&](const Row& r) { return r.name == name; });
}

// 15 twips make one pixel, to the nearest pixel.
int pixels(int twips) {
    return int(std::lround(twips / 15.0));
}

bool takes_focus(const QString& class_name) {
    return class_name == QLatin1String("QLineEdit") || class_name == QLatin1String("QPushButton") ||
           class_name == QLatin1String("QCheckBox") || class_name == QLatin1String("QRadioButton");
}

QString caption_of(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(w))
        return frame->title();
    return {};
}

} // namespace

class Form1TableTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(rows().size(), 44); }

    void aControlThatIsNotThereIsAnError() {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, vorlaine::design::form1_control("Text11"));
        QCOMPARE(QString::fromUtf8(vorlaine::design::form1_control("Text8").caption),
                 row(QStringLiteral("Text8")).caption);
    }

    void theWindowHoldsExactlyTheseControls() {
        Form1 form;
        QStringList names;
        for (const QWidget* w : form.findChildren<QWidget*>())
            if (w->objectName().contains(QRegularExpression(QStringLiteral("^[A-Z][a-z]+\\d+$"))))
                names << w->objectName();
        QStringList expected;
        for (const Row& r : rows())
            expected << r.name;
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
    }

    // Each control under Qt's own palette and under system palettes (window,
    // text) set before the window is built, as a theme sets them.
    void everyControlMatchesItsRow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPalette>("system");
        QTest::addColumn<bool>("later"); // set while the window runs, built on white
        // White, qt6ct's "darker", black, dark grey (text on window), and
        // last Qt's own, which then stays for the tests after.
        const QPalette schemes[] = {{Qt::black, Qt::white},
                                    {Qt::white, 0x222020},
                                    {0xe0e0e0, Qt::black},
                                    {Qt::white, 0x505050},
                                    QApplication::palette()};
        for (const Row& r : rows())
            for (bool later : {true, false})
                for (const QPalette& system : schemes)
                    QTest::newRow(qPrintable(r.name + (later ? " later " : " ") +
                                             system.color(QPalette::Window).name()))
                        << r.name << system << later;
    }

    void everyControlMatchesItsRow() {
        QFETCH(QString, name);
        QFETCH(QPalette, system);
        QFETCH(bool, later);
        const Row& r = row(name);
        QApplication::setPalette(later ? QPalette(Qt::black, Qt::white) : system);
        Form1 form;
        form.winId(); // a window of the system's, which a theme's change reaches
        QApplication::setPalette(system);
        QCoreApplication::processEvents();
        QCOMPARE(form.palette().color(QPalette::Window), system.color(QPalette::Window));
        const QWidget* w = form.findChild<QWidget*>(name);
        QVERIFY(w);
        const bool picture = dynamic_cast<const vorlaine::ui::SolarPicture*>(w) != nullptr;
        QVERIFY2(r.class_name == QLatin1String("vorlaine::ui::SolarPicture")
                     ? picture
                     : w->inherits(qPrintable(r.class_name)) && !picture,
                 w->metaObject()->className());
        if (picture) { // its rendering drawn: green lines on white
            const QImage drawn = form.findChild<QWidget*>(name)->grab().toImage();
            int green = 0;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    green += drawn.pixelColor(x, y).green() > drawn.pixelColor(x, y).red() + 60;
            QVERIFY2(green > 200 && drawn.pixelColor(1, 1) == QColor(Qt::white),
                     qPrintable(QString::number(green)));
        }
        QCOMPARE(w->parentWidget()->objectName(), r.parent);
        QVERIFY(w->isVisibleTo(&form));

        const QRect expected(pixels(r.twips.x()), pixels(r.twips.y()), pixels(r.twips.width()),
                             std::max(1, pixels(r.twips.height())));
        QCOMPARE(w->geometry(), expected);
        QCOMPARE(caption_of(w), r.caption);
        QVERIFY2(!caption_of(w).contains('&'), "no access-key marker");
        QCOMPARE(w->isEnabled(), r.enabled);

        // The design colour when enabled, in the active and inactive window
        // alike, on a dark window at its hue just readable (4.5:1); the
        // system's text colour and grey otherwise.
        const QColor design = r.colour == QLatin1String("darkred") ? QColor(192, 0, 0)
                              : r.colour == QLatin1String("green") ? QColor(0, 128, 0)
                                                                   : QColor();
        for (QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            const QColor platform = system.color(group, QPalette::WindowText);
            const QColor want = design.isValid() && group != QPalette::Disabled ? design : platform;
            const QColor got = w->palette().color(group, QPalette::WindowText);
            const double contrast = vorlaine::ui::contrast(got, system.color(QPalette::Window));
            QVERIFY2(system.color(QPalette::Window).lightness() < 128 && want == design
                         ? contrast >= 4.5 && contrast < 4.7 && got.hslHue() == design.hslHue()
                         : got == want,
                     qPrintable(QStringLiteral("colour group %1").arg(int(group))));
        }

        if (r.font == QLatin1String("slogan")) {
            QCOMPARE(w->font().family(), QStringLiteral("宋体"));
            QCOMPARE(w->font().pointSize(), 12);
            QCOMPARE(w->font().weight(), QFont::Bold);
        } else {
            QCOMPARE(w->font(), QApplication::font());
        }

        auto* option = qobject_cast<const QRadioButton*>(w);
        if (option && !option->isChecked()) {
            // The option group is one tab stop, at the selected option.
            QCOMPARE(w->focusPolicy(), Qt::ClickFocus);
        } else if (takes_focus(r.class_name)) {
            QVERIFY(w->focusPolicy() & Qt::TabFocus);
            QVERIFY(r.tab_index >= 0);
        } else {
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
        }

        if (auto* label = qobject_cast<const QLabel*>(w)) {
            // Typed text, such as the latitude, shows as it was typed.
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->buddy() ? label->buddy()->objectName() : QString(), r.buddy);
        }
        if (auto* box = qobject_cast<const QLineEdit*>(w)) {
            QVERIFY(box->maxLength() >= 1 << 30); // no length limit
            QVERIFY(!box->isReadOnly());
            // Number boxes ask an input method for Latin digits; the latitude takes any text.
            QCOMPARE(box->inputMethodHints(), name == "Text10"
                                                  ? Qt::ImhNone
                                                  : Qt::ImhFormattedNumbersOnly | Qt::ImhLatinOnly);
        }
        if (auto* button = qobject_cast<const QPushButton*>(w)) {
            QVERIFY(!button->autoDefault());
            QVERIFY(!button->isDefault());
        }
    }
};

VORLAINE_WINDOW_TEST_MAIN(Form1TableTest)
#include "form1_table_test.moc"
