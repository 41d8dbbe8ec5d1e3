// The window's behaviours as data (data/window-behaviour.jsonl), replayed on
// the real window by mouse and keyboard. The page's tests replay the same rows.
//
// A row: "start" (texts, ticks and option set before anything is watched),
// "actions", "end" (the state that differs from the start-up row's end) and
// "log": every text, tick and option the window itself changed, and every
// notice it showed, in order. A change the user makes to the control being
// acted on is the action, not the log. The start-up row names the boxes left
// out of every log ("unlogged": Text4, whose write and the handler it raises
// each edition sees in its own order; Text5 shows what the handler did).
// Rows the page plays while its core loads are plain rows here; "page_only"
// rows are skipped.
#include "widget_test_support.h"

#include "calc/notices.h"
#include "ui/load_list_window.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <map>

using namespace vorlaine::testing;
using vorlaine::ui::Form1;
using vorlaine::ui::LoadListWindow;

namespace {

const QList<QJsonObject>& rows() {
    static const QList<QJsonObject> all = [] {
        QFile file(QStringLiteral(VORLAINE_TEST_DATA_DIR "/window-behaviour.jsonl"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        QList<QJsonObject> read;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                read << QJsonDocument::fromJson(line).object();
        return read;
    }();
    return all;
}

// A notice the table names by its texts in calc/notices.h.
QString notice_text(const QString& name) {
    namespace n = vorlaine::calc::notices;
    static const std::map<QString, std::string_view> texts{
        {"error_title", n::error_title},          {"hint_title", n::hint_title},
        {"invalid_input", n::invalid_input},      {"zero_interval", n::zero_interval},
        {"out_of_range", n::out_of_range},        {"inverter_advice", n::inverter_advice},
        {"arithmetic_fault", n::arithmetic_fault}};
    const auto it = texts.find(name);
    if (it == texts.end())
        qFatal("no notice %s", qPrintable(name));
    return QString::fromUtf8(it->second.data(), qsizetype(it->second.size()));
}

// A log entry as the window shows it: a notice's carriage returns are line breaks.
QJsonValue shown(const QJsonValue& entry) {
    const QJsonValue notice = entry.toObject().value(QLatin1String("notice"));
    if (notice.isUndefined())
        return entry;
    QJsonObject texts = notice.toObject();
    if (notice.isArray())
        texts = {{"title", notice_text(notice[0].toString())},
                 {"text", notice_text(notice[1].toString())}};
    texts[QLatin1String("text")] =
        texts.value(QLatin1String("text")).toString().replace('\r', '\n');
    return QJsonObject{{"notice", texts}};
}

QJsonObject state_of(const Form1& form) {
    static const QRegularExpression control_name(QStringLiteral("^[A-Z][a-z]+\\d+$"));
    QJsonObject state;
    QStringList disabled, cut;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!control_name.match(name).hasMatch())
            continue;
        if (!w->isEnabled())
            disabled << name;
        if (auto* box = qobject_cast<const QLineEdit*>(w))
            state[name] = box->text();
        else if (auto* check = qobject_cast<const QCheckBox*>(w))
            state[name] = check->isChecked();
        else if (auto* option = qobject_cast<const QRadioButton*>(w); option && option->isChecked())
            state[QLatin1String("option")] = name;
        else if (auto* label = qobject_cast<const QLabel*>(w)) {
            state[name] = label->text();
            // Cut (drawn ending in "…", its whole text the tooltip), or drawn
            // smaller than it needs, or than three quarters of the window's font.
            QString shown = label->text();
            while (shown.endsWith(' '))
                shown.chop(1);
            const auto fits = [&](const QFont& font) {
                return QFontMetricsF(font).horizontalAdvance(shown) <=
                       label->contentsRect().width();
            };
            if (!fits(label->font()))
                cut << name + (label->toolTip() == label->text() ? "" : " with no tooltip");
            if (label->font().pointSizeF() <
                (fits(form.font()) ? 1 : 0.75) * form.font().pointSizeF())
                cut << name + " too small";
        }
    }
    state[QLatin1String("cut")] = QJsonArray::fromStringList(cut);
    disabled.sort();
    state[QLatin1String("disabled")] = QJsonArray::fromStringList(disabled);
    // The window's own focus: offscreen, nothing activates it again after a notice.
    state[QLatin1String("focus")] = form.focusWidget() ? form.focusWidget()->objectName() : "";
    return state;
}

QString json(const QJsonValue& v) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
}

// What differs from `want` in `got`, key by key.
QStringList differences(const QJsonObject& got, const QJsonObject& want) {
    QStringList out;
    for (auto it = want.begin(); it != want.end(); ++it)
        if (got.value(it.key()) != it.value())
            out << it.key() + ": " + json(got.value(it.key())) + ", want " + json(it.value());
    return out;
}

const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> kKeys{
    {"Enter", {Qt::Key_Return, {}}},
    {"Escape", {Qt::Key_Escape, {}}},
    {"Tab", {Qt::Key_Tab, {}}},
    {"Shift+Tab", {Qt::Key_Tab, Qt::ShiftModifier}},
    {"ArrowRight", {Qt::Key_Right, {}}}};

QString kind_of(const QJsonObject& action) {
    for (const char* kind : {"type", "click", "dblclick", "focus", "press", "tab", "backtab",
                             "keys", "one_task", "see", "close_notice", "load_list"})
        if (action.contains(QLatin1String(kind)))
            return QString::fromLatin1(kind);
    qFatal("unknown action");
}

// Does a row's actions. A notice's modal loop runs the actions that follow
// it, up to the one that closes it, as a person would answer it.
class Replay {
public:
    Replay(Form1& form, const QJsonArray& actions) : form_(form), actions_(actions) {
        const QJsonArray unlogged = rows().constFirst().value(QLatin1String("unlogged")).toArray();
        for (QLineEdit* box : form.findChildren<QLineEdit*>())
            if (!unlogged.contains(box->objectName()))
                QObject::connect(box, &QLineEdit::textChanged, box,
                                 [this, box](const QString& text) {
                                     note(box, box->objectName() + '=' + text);
                                 });
        for (QAbstractButton* button : form.findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::toggled, button, [this, button](bool on) {
                if (on || !qobject_cast<QRadioButton*>(button))
                    note(button, button->objectName() + (on ? "=on" : "=off"));
            });
        poll_.setInterval(0);
        QObject::connect(&poll_, &QTimer::timeout, [this] { poll(); });
        poll_.start();
    }

    void run() {
        while (next_ < actions_.size()) {
            const QJsonObject action = actions_[next_++].toObject();
            perform(action);
            if (depth_ > 0 && action.contains(QLatin1String("close_notice")))
                return;
        }
    }

    QJsonArray log;
    QStringList problems;

private:
    void note(const QObject* changed, const QString& entry) {
        // Keys only tick and select for the user (an arrow key selects the next option).
        if (changed != target_ && !(keys_ && qobject_cast<const QAbstractButton*>(changed)))
            log << entry;
    }

    // Mouse events go to the window, as a person's do, so that a modal notice
    // keeps them from the controls behind it.
    void mouse(QWidget* w, const QJsonValue& at, bool twice) {
        target_ = w;
        const QJsonArray xy = at.toArray();
        const QPoint p = w->mapTo(&form_, xy.isEmpty() ? w->rect().center()
                                                       : QPoint(xy[0].toInt(), xy[1].toInt()));
        if (twice)
            QTest::mouseDClick(form_.windowHandle(), Qt::LeftButton, {}, p);
        else
            QTest::mouseClick(form_.windowHandle(), Qt::LeftButton, {}, p);
    }

    QWidget* named(const QJsonValue& name) {
        auto* w = name.toString() == QLatin1String("Form1")
                      ? &form_
                      : form_.findChild<QWidget*>(name.toString());
        if (!w)
            qFatal("no control %s", qPrintable(name.toString()));
        return w;
    }

    void press(const QString& key) {
        const auto [code, modifiers] = kKeys.value(key);
        QTest::keyClick(form_.focusWidget(), code, modifiers);
    }

    void perform(const QJsonObject& a) {
        const QString kind = kind_of(a);
        const QJsonValue arg = a.value(kind);
        if (kind == QLatin1String("type")) {
            auto* box = qobject_cast<QLineEdit*>(named(arg[0]));
            target_ = box;
            box->setFocus();
            box->selectAll();
            if (arg[1].toString().isEmpty())
                QTest::keyClick(box, Qt::Key_Delete);
            for (const QChar c : arg[1].toString()) // the first replaces the selection
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, c, {});
        } else if (kind == QLatin1String("click") || kind == QLatin1String("dblclick")) {
            mouse(named(arg), a.value(QLatin1String("at")), kind == QLatin1String("dblclick"));
        } else if (kind == QLatin1String("focus")) {
            named(arg)->setFocus();
        } else if (kind == QLatin1String("press")) {
            named(a.value(QLatin1String("in")))->setFocus();
            keys_ = true;
            for (const QJsonValue key : arg.toArray())
                press(key.toString());
            keys_ = false;
        } else if (kind == QLatin1String("tab") || kind == QLatin1String("backtab")) {
            QJsonArray seen;
            for (qsizetype i = 0; i < arg.toArray().size(); ++i) {
                press(kind == QLatin1String("tab") ? QStringLiteral("Tab")
                                                   : QStringLiteral("Shift+Tab"));
                seen << form_.focusWidget()->objectName();
            }
            if (seen != arg.toArray())
                problems << kind + ": " + json(seen);
        } else if (kind == QLatin1String("keys")) { // typed where the focus is
            target_ = form_.focusWidget();
            for (const QChar c : arg.toString())
                QTest::sendKeyEvent(QTest::Click, form_.focusWidget(), Qt::Key_unknown, c, {});
        } else if (kind == QLatin1String("one_task")) { // the window runs each to its end
            for (const QJsonValue step : arg.toArray())
                perform(step.toObject());
        } else if (kind == QLatin1String("load_list")) { // rows typed, then its fill pressed
            LoadListWindow* list = LoadListWindow::open(&form_);
            for (const QJsonValue row : arg.toArray()) {
                list->add_row();
                for (int c = 0; c < 4; ++c)
                    list->table()
                        ->item(list->table()->rowCount() - 1, c)
                        ->setText(row[c].toString());
            }
            QTest::mouseClick(list->fill_button(), Qt::LeftButton);
            list->hide();
        } else if (kind == QLatin1String("see")) {
            for (const QString& d : differences(state_of(form_), arg.toObject()))
                problems << QStringLiteral("action %1: %2").arg(next_).arg(d);
        } else { // close_notice
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                problems << QStringLiteral("action %1: no notice to close").arg(next_);
                return;
            }
            QStringList buttons;
            for (const QAbstractButton* b : box->buttons())
                buttons << b->text();
            if (buttons != QStringList{arg.toString()})
                problems << QStringLiteral("notice buttons: ") + buttons.join(',');
            if (a.contains(QLatin1String("key")))
                QTest::keyClick(box, kKeys.value(a.value(QLatin1String("key")).toString()).first);
            else
                QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
        }
    }

    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == open_)
            return;
        open_ = box;
        log << QJsonObject{
            {"notice", QJsonObject{{"title", box->windowTitle()}, {"text", box->text()}}}};
        if (box->icon() != QMessageBox::NoIcon)
            problems << QStringLiteral("a notice with an icon");
        ++depth_;
        run();
        --depth_;
        if (open_ && open_->isVisible()) {
            problems << QStringLiteral("a notice was left open");
            open_->buttons().constFirst()->click();
        }
    }

    Form1& form_;
    QJsonArray actions_;
    qsizetype next_ = 0;
    int depth_ = 0;
    const QObject* target_ = nullptr;
    bool keys_ = false;
    QPointer<QMessageBox> open_;
    QTimer poll_;
};

void set_start(Form1& form, const QJsonObject& start) {
    for (auto it = start.begin(); it != start.end(); ++it) {
        if (it.key() == QLatin1String("option"))
            control<QRadioButton>(form, qPrintable(it.value().toString()))->click();
        else if (it.value().isBool()) {
            auto* check = control<QCheckBox>(form, qPrintable(it.key()));
            if (check->isChecked() != it.value().toBool())
                check->click();
        } else
            text_box(form, qPrintable(it.key()))->setText(it.value().toString());
    }
}

} // namespace

class Form1BehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(rows().size() > 1);
        QCOMPARE(rows().constFirst().value(QLatin1String("name")).toString(),
                 QStringLiteral("start-up"));
    }

    void replay_data() {
        QTest::addColumn<QJsonObject>("row");
        for (const QJsonObject& row : rows())
            QTest::newRow(qPrintable(row.value(QLatin1String("name")).toString())) << row;
    }

    void replay() {
        QFETCH(QJsonObject, row);
        if (row.value(QLatin1String("page_only")).toBool())
            QSKIP("the page alone");
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        set_start(form, row.value(QLatin1String("start")).toObject());

        Replay replay(form, row.value(QLatin1String("actions")).toArray());
        replay.run();

        QJsonObject want = rows().constFirst().value(QLatin1String("end")).toObject();
        want.remove(QLatin1String("focus")); // checked only where a row says
        const QJsonObject end = row.value(QLatin1String("end")).toObject();
        for (auto it = end.begin(); it != end.end(); ++it)
            want[it.key()] = it.value();
        QStringList problems = replay.problems + differences(state_of(form), want);
        QJsonArray log;
        for (const QJsonValue entry : row.value(QLatin1String("log")).toArray())
            log << shown(entry);
        if (replay.log != log)
            problems << QStringLiteral("log: ") + json(replay.log);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("\n  "))));
    }
};

VORLAINE_WINDOW_TEST_MAIN(Form1BehaviourTest)
#include "form1_behaviour_test.moc"
