#include "form1.h"

#include "about_text.h"
#include "accessibility.h"
#include "control_factory.h"
#include "control_lookup.h"
#include "control_table.h"
#include "notice.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace vorlaine::ui {
namespace {

QString numbered(const char* prefix, std::size_t index) {
    return QString::fromLatin1(prefix) + QString::number(index + 1);
}

// The caption or default text the control table gives a control.
QString design_text(const char* name) {
    const char* caption = form1_control(name).caption;
    return QString::fromUtf8(caption ? caption : "");
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vorlaine"));
    setFixedSize(twips_to_pixels(kFormWidth), twips_to_pixels(kFormHeight));
    build_controls(this, form1_controls());

    for (std::size_t i = 0; i < text_.size(); ++i)
        text_[i] = control<QLineEdit>(this, numbered("Text", i));
    for (std::size_t i = 0; i < check_.size(); ++i)
        check_[i] = control<QCheckBox>(this, numbered("Check", i));
    for (std::size_t i = 0; i < option_.size(); ++i)
        option_[i] = control<QRadioButton>(this, numbered("Option", i));

    connect_handlers();
    make_accessible(this, form1_controls());
    Form_Load();
    text(1)->setFocus();
}

QLabel* Form1::label(const char* name) const {
    return control<QLabel>(this, QString::fromLatin1(name));
}

void Form1::connect_handlers() {
    connect(control<QPushButton>(this, QStringLiteral("Command1")), &QPushButton::clicked, this,
            &Form1::Command1_Click);
    connect(control<QPushButton>(this, QStringLiteral("Command2")), &QPushButton::clicked, this,
            &Form1::Command2_Click);
    // Writes from code raise these signals just as the user's actions do, so
    // the handlers cascade the same way either way.
    connect(check(2), &QCheckBox::toggled, this, &Form1::Check2_Click);
    connect(text(4), &QLineEdit::textChanged, this, &Form1::Text4_Change);
    const std::array handlers{&Form1::Option1_Click, &Form1::Option2_Click, &Form1::Option3_Click,
                              &Form1::Option4_Click};
    for (int n = 1; n <= 4; ++n)
        connect(option(n), &QRadioButton::toggled, this, [this, n, handlers](bool selected) {
            if (!selected)
                return;
            make_selected_option_the_tab_stop();
            (this->*handlers[static_cast<std::size_t>(n - 1)])();
        });
}

void Form1::Form_Load() {
    check(1)->setChecked(true);
    option(1)->setChecked(true);
    text(7)->setEnabled(false);
    label("Label4")->setEnabled(false);
}

void Form1::Form_DblClick() {
    show_notice(this, about_text(), about_title());
}

void Form1::mouseDoubleClickEvent(QMouseEvent* event) {
    // Controls pass double clicks they do not use on to the window; only the
    // bare background counts.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        Form_DblClick();
}

calc::WindowInputs Form1::snapshot() const {
    calc::WindowInputs in;
    for (int box = 1; box <= 10; ++box)
        in.text(box) = text(box)->text().toStdString();
    in.check2 = check(2)->checkState() == Qt::Checked            ? 1
                : check(2)->checkState() == Qt::PartiallyChecked ? 2
                                                                 : 0;
    constexpr std::array kinds{calc::SunshineKind::EffectiveHours, calc::SunshineKind::AverageHours,
                               calc::SunshineKind::DailyRadiation,
                               calc::SunshineKind::AnnualRadiation};
    for (int n = 1; n <= 4; ++n)
        if (option(n)->isChecked())
            in.sunshine = kinds[static_cast<std::size_t>(n - 1)];
    return in;
}

void Form1::apply(const calc::Effect& effect) {
    if (const auto* notice = std::get_if<calc::Notice>(&effect)) {
        show_notice(this, QString::fromStdString(notice->text),
                    QString::fromStdString(notice->title));
    } else {
        const auto& caption = std::get<calc::CaptionWrite>(effect);
        write_caption(label(caption.label.c_str()), QString::fromStdString(caption.text));
    }
}

void Form1::write_caption(QLabel* label, const QString& text) {
    label->setText(text);
    caption_written(label);
}

void Form1::Command1_Click() {
    for (const calc::Effect& effect : calc::calculate(snapshot()))
        apply(effect);
}

void Form1::Command2_Click() {
    // Every box back to its design text, in this order: Text4 writes Text5 as
    // it changes, and Text5 then gets its own text back.
    for (int box : {6, 7, 8, 1, 2, 3, 4, 5, 9, 10})
        text(box)->setText(design_text(qPrintable(numbered("Text", std::size_t(box - 1)))));
    option(1)->setChecked(true);
    check(1)->setChecked(true);
    text(7)->setEnabled(false);
    label("Label4")->setEnabled(false);
    check(2)->setChecked(false);
    check(3)->setChecked(false);
    check(4)->setChecked(false);
    // The results show their units alone again.
    for (const char* name : {"Label12", "Label8", "Label9", "Label13", "Label15"})
        write_caption(label(name), design_text(name));
}

void Form1::Check2_Click() {
    const bool ticked = check(2)->checkState() == Qt::Checked;
    text(7)->setEnabled(ticked);
    label("Label4")->setEnabled(ticked);
}

void Form1::Option1_Click() {
    show_option_caption(option(1));
}
void Form1::Option2_Click() {
    show_option_caption(option(2));
}
void Form1::Option3_Click() {
    show_option_caption(option(3));
}
void Form1::Option4_Click() {
    show_option_caption(option(4));
}

void Form1::show_option_caption(const QRadioButton* option) {
    write_caption(label("Label18"), option->text());
}

void Form1::make_selected_option_the_tab_stop() {
    // The four options are one stop for the tab key, at the selected one.
    for (QRadioButton* each : option_)
        each->setFocusPolicy(each->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void Form1::Text4_Change() {
    text(5)->clear();
    const std::optional<std::string> interval =
        calc::rainy_interval_text(text(4)->text().toStdString());
    if (!interval)
        return apply(calc::arithmetic_fault_notice());
    text(5)->setText(QString::fromStdString(*interval));
}

} // namespace vorlaine::ui
