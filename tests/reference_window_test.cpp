// Every reference case through the real window: the texts set, Check2 and the
// option chosen, 计算 clicked, each notice read from the open box together
// with the five results behind it, and the five results at the end.
#include "reference_cases.h"
#include "widget_test_support.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vorlaine;
using namespace vorlaine::testing;
using vorlaine::ui::Form1;

namespace {

const char* const kResults[] = {"Label12", "Label8", "Label9", "Label13", "Label15"};

QStringList results(const Form1& form) {
    QStringList out;
    for (const char* name : kResults) // a result cut to "…" has its text again as tooltip: none may
        out << caption(form, name) + control<QLabel>(form, name)->toolTip();
    return out;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// What the window should show: each notice with the results behind it, then
// the results left in the end. The results start as their units alone.
struct Expected {
    QStringList notices; // "title | text | results behind it"
    QStringList results{"V", "V", "Ah", "W", "度"};
};

Expected expected_of(const std::vector<calc::Effect>& effects) {
    Expected out;
    for (const calc::Effect& e : effects) {
        if (const auto* n = std::get_if<calc::Notice>(&e)) {
            // The box shows a carriage return as a line break.
            out.notices << qs(n->title) + " | " + qs(n->text).replace('\r', '\n') + " | " +
                               out.results.join(',');
            continue;
        }
        const auto& c = std::get<calc::CaptionWrite>(e);
        const auto at = std::find(std::begin(kResults), std::end(kResults), c.label);
        if (at == std::end(kResults))
            throw std::runtime_error("not a result label: " + c.label);
        out.results[int(at - std::begin(kResults))] = qs(c.text);
    }
    return out;
}

const std::vector<SizingCase>& all_sizing_cases() {
    static const std::vector<SizingCase> cases = sizing_cases();
    return cases;
}

} // namespace

class ReferenceWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(all_sizing_cases().size(), 600U); }

    void computeShowsTheReferenceEffects_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < all_sizing_cases().size(); ++i)
            QTest::addRow("line %d", all_sizing_cases()[i].line) << int(i);
    }

    void computeShowsTheReferenceEffects() {
        QFETCH(int, index);
        const SizingCase& c = all_sizing_cases()[std::size_t(index)];
        const Expected expected = expected_of(c.effects);

        Form1 form;
        control<QRadioButton>(form, qPrintable(QStringLiteral("Option%1").arg(c.option)))->click();
        if (c.inputs.check2 == 1)
            control<QCheckBox>(form, "Check2")->click();
        {
            // Text4 writes Text5 as it changes, and may show a fault: the
            // boxes are filled in order, so Text5 ends with its own text.
            NoticeCatcher while_filling;
            for (int box = 1; box <= 10; ++box)
                text_box(form, qPrintable(QStringLiteral("Text%1").arg(box)))
                    ->setText(qs(c.inputs.text(box)));
        }
        for (int box = 1; box <= 10; ++box)
            QVERIFY2(text_of(form, qPrintable(QStringLiteral("Text%1").arg(box))) ==
                         qs(c.inputs.text(box)),
                     c.describe().c_str());

        QStringList seen;
        NoticeCatcher catcher([&] {
            const SeenNotice& n = catcher.seen().back();
            seen << n.title + " | " + n.text + " | " + results(form).join(',');
        });
        QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
        const std::string inputs = c.describe();
        QVERIFY2(seen == expected.notices,
                 qPrintable(qs(inputs) + "\n  notices seen: " + seen.join(" // ") +
                            "\n  expected: " + expected.notices.join(" // ")));
        QVERIFY2(results(form) == expected.results,
                 qPrintable(qs(inputs) + "\n  results: " + results(form).join(',') +
                            "\n  expected: " + expected.results.join(',')));
        for (const SeenNotice& n : catcher.seen()) {
            QCOMPARE(n.icon, QMessageBox::NoIcon);
            QCOMPARE(n.button_texts, QStringList{QStringLiteral("确定")});
        }
    }
};

VORLAINE_WINDOW_TEST_MAIN(ReferenceWindowTest)
#include "reference_window_test.moc"
