#include "form1.h"

#include "about_text.h"
#include "accessibility.h"
#include "control_factory.h"
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

template <typename T> T* control(const QWidget* form, const QString& name) {
    T* widget = form->findChild<T*>(name);
    Q_ASSERT(widget);
    return widget;
}

QString numbered(const char* prefix, std::size_t n) {
    return QString::fromLatin1(prefix) + QString::number(n + 1);
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
    label4_ = control<QLabel>(this, QStringLiteral("Label4"));
    label18_ = control<QLabel>(this, QStringLiteral("Label18"));

    connect_handlers();
    make_accessible(this, form1_controls());
    Form_Load();
    text_[0]->setFocus();
}

void Form1::connect_handlers() {
    connect(control<QPushButton>(this, QStringLiteral("Command1")), &QPushButton::clicked, this,
            &Form1::Command1_Click);
    connect(control<QPushButton>(this, QStringLiteral("Command2")), &QPushButton::clicked, this,
            &Form1::Command2_Click);
    // Writes from code raise these signals just as the user's actions do, so
    // the handlers cascade the same way either way.
    connect(check_[1], &QCheckBox::toggled, this, &Form1::Check2_Click);
    connect(text_[3], &QLineEdit::textChanged, this, &Form1::Text4_Change);
    const std::array handlers{&Form1::Option1_Click, &Form1::Option2_Click, &Form1::Option3_Click,
                              &Form1::Option4_Click};
    for (std::size_t i = 0; i < option_.size(); ++i)
        connect(option_[i], &QRadioButton::toggled, this, [this, i, handlers](bool selected) {
            if (!selected)
                return;
            make_selected_option_the_tab_stop();
            (this->*handlers[i])();
        });
}

void Form1::Form_Load() {
    check_[0]->setChecked(true);
    option_[0]->setChecked(true);
    text_[6]->setEnabled(false);
    label4_->setEnabled(false);
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
    for (std::size_t i = 0; i < text_.size(); ++i)
        in.texts[i] = text_[i]->text().toStdString();
    in.check2 = check_[1]->checkState() == Qt::Checked            ? 1
                : check_[1]->checkState() == Qt::PartiallyChecked ? 2
                                                                  : 0;
    constexpr std::array kinds{calc::SunshineKind::EffectiveHours, calc::SunshineKind::AverageHours,
                               calc::SunshineKind::DailyRadiation,
                               calc::SunshineKind::AnnualRadiation};
    for (std::size_t i = 0; i < option_.size(); ++i)
        if (option_[i]->isChecked())
            in.sunshine = kinds[i];
    return in;
}

void Form1::apply(const calc::Effect& effect) {
    if (const auto* notice = std::get_if<calc::Notice>(&effect)) {
        show_notice(this, QString::fromStdString(notice->text),
                    QString::fromStdString(notice->title));
    } else {
        const auto& caption = std::get<calc::CaptionWrite>(effect);
        write_caption(control<QLabel>(this, QString::fromStdString(caption.label)),
                      QString::fromStdString(caption.text));
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
    text_[5]->setText(QStringLiteral("0.75"));
    text_[6]->setText(QStringLiteral("0.8"));
    text_[7]->setText(QStringLiteral("0.85"));
    for (std::size_t i : {0U, 1U, 2U})
        text_[i]->clear();
    text_[3]->setText(QStringLiteral("1"));
    text_[4]->setText(QStringLiteral("5"));
    text_[8]->clear();
    text_[9]->clear();
    option_[0]->setChecked(true);
    check_[0]->setChecked(true);
    text_[6]->setEnabled(false);
    label4_->setEnabled(false);
    check_[1]->setChecked(false);
    check_[2]->setChecked(false);
    check_[3]->setChecked(false);
    const std::pair<const char*, const char*> units[] = {
        {"Label12", "V"}, {"Label8", "V"}, {"Label9", "Ah"}, {"Label13", "W"}, {"Label15", "度"}};
    for (const auto& [label, unit] : units)
        write_caption(control<QLabel>(this, QString::fromLatin1(label)), QString::fromUtf8(unit));
}

void Form1::Check2_Click() {
    const bool ticked = check_[1]->checkState() == Qt::Checked;
    text_[6]->setEnabled(ticked);
    label4_->setEnabled(ticked);
}

void Form1::Option1_Click() {
    show_option_caption(option_[0]);
}
void Form1::Option2_Click() {
    show_option_caption(option_[1]);
}
void Form1::Option3_Click() {
    show_option_caption(option_[2]);
}
void Form1::Option4_Click() {
    show_option_caption(option_[3]);
}

void Form1::show_option_caption(const QRadioButton* option) {
    write_caption(label18_, option->text());
}

void Form1::make_selected_option_the_tab_stop() {
    // The four options are one stop for the tab key, at the selected one.
    for (QRadioButton* option : option_)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void Form1::Text4_Change() {
    text_[4]->clear();
    const std::optional<std::string> interval =
        calc::rainy_interval_text(text_[3]->text().toStdString());
    if (!interval)
        return apply(calc::arithmetic_fault_notice());
    text_[4]->setText(QString::fromStdString(*interval));
}

} // namespace vorlaine::ui
