#include "form1.h"

#include "accessibility.h"
#include "accessible_interfaces.h"
#include "control_factory.h"
#include "control_lookup.h"
#include "design/control_table.h"
#include "design/sheet_texts.h"
#include "design/window_state.h"
#include "design/window_texts.h"
#include "load_list_access.h"
#include "load_list_window.h"
#include "loads/sheet_list.h"
#include "module_plan_box.h"
#include "notice.h"
#include "qt_text.h"
#include "whole_text.h"

#include "calc/notices.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <algorithm>

namespace vorlaine::ui {
namespace {

// The caption or default text the control table gives a control.
QString design_text(std::string_view name) {
    return qt_text(design::design_text(name));
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    install_accessible_factory();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qt_text(design::texts::window_caption));
    setFixedSize(design::twips_to_pixels(design::kFormWidth),
                 design::twips_to_pixels(design::kFormHeight));
    build_controls(this, design::form1_controls());
    make_accessible(this);

    for (std::size_t i = 0; i < text_.size(); ++i)
        text_[i] = control<QLineEdit>(this, qt_text(design::kTextBoxes[i]));
    for (std::size_t i = 0; i < check_.size(); ++i)
        check_[i] = control<QCheckBox>(this, QStringLiteral("Check%1").arg(i + 1));
    for (std::size_t i = 0; i < option_.size(); ++i)
        option_[i] = control<QRadioButton>(this, qt_text(design::kSunshineOptions[i].name));

    connect_handlers();
    // A shortcut, not a control: the window gains nothing to see or tab to.
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
            &Form1::print_sheet);
    offer_load_list(this);
    Form_Load();
    text(1)->setFocus();
}

QCheckBox* Form1::inverter() const {
    return control<QCheckBox>(this, qt_text(design::kInverterCheck));
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
    connect(inverter(), &QCheckBox::toggled, this, &Form1::Check2_Click);
    connect(control<QLineEdit>(this, qt_text(design::kRainyDaysBox)), &QLineEdit::textChanged, this,
            &Form1::Text4_Change);
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
    for (std::string_view name : design::kStartChecked)
        control<QAbstractButton>(this, qt_text(name))->setChecked(true);
    enable_inverter_controls(false);
}

void Form1::Form_DblClick() {
    show_notice(this, qt_text(design::texts::about_text), qt_text(design::texts::about_title));
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
    in.check2 = inverter()->checkState() == Qt::Checked            ? 1
                : inverter()->checkState() == Qt::PartiallyChecked ? 2
                                                                   : 0;
    for (std::size_t i = 0; i < option_.size(); ++i)
        if (option_[i]->isChecked())
            in.sunshine = design::kSunshineOptions[i].kind;
    return in;
}

void Form1::apply(const calc::Effect& effect) {
    if (const auto* notice = std::get_if<calc::Notice>(&effect)) {
        show_notice(this, QString::fromStdString(notice->text),
                    QString::fromStdString(notice->title));
    } else {
        const auto& caption = std::get<calc::CaptionWrite>(effect);
        const QString text = QString::fromStdString(caption.text);
        if (auto* box = findChild<QLineEdit*>(QString::fromStdString(caption.label)))
            box->setText(text);
        else
            write_caption(label(caption.label.c_str()), text);
    }
}

void Form1::write_caption(QLabel* label, const QString& text) {
    label->setText(text);
    fit_text_to_width(label);
    caption_written(label);
}

void Form1::Command1_Click() {
    const calc::WindowInputs read = snapshot();
    const std::vector<calc::Effect> effects = calc::calculate(read);
    record_ = design::sheet::record_of(read, effects, sheet::now());
    for (const calc::Effect& effect : effects)
        apply(effect);
}

sheet::Content Form1::sizing_sheet(std::string_view address) const {
    // The list and the plan only once their window has been built: before
    // that there is no list, and the sheet does not build it.
    design::sheet::Additions additions;
    if (const auto* list = findChild<LoadListWindow*>(QStringLiteral("LoadListWindow"),
                                                      Qt::FindDirectChildrenOnly))
        additions = loads::sheet_additions(record_, list->rows(), list->plan()->sizes());
    return design::sheet::make_sheet(record_, snapshot(), sheet::now(), address, additions);
}

void Form1::print_sheet() {
    // Never silent: a module that cannot be loaded, or a printer that cannot
    // start, is said in a notice, and the next Ctrl+P tries again.
    if (!printer_)
        printer_ = sheet::load_printer();
    const std::string_view failure = !printer_ ? design::sheet::print_module_missing
                                     : !printer_->print(this, sizing_sheet(sheet::web_address()))
                                         ? design::sheet::printer_not_ready
                                         : std::string_view();
    if (!failure.empty())
        show_notice(this, qt_text(failure), qt_text(calc::notices::error_title));
}

void Form1::Command2_Click() {
    record_.reset();
    // Each box back to its design text in the design's order, then the
    // start state with every other box unticked.
    for (std::string_view box : design::kClearOrder)
        control<QLineEdit>(this, qt_text(box))->setText(design_text(box));
    Form_Load();
    for (QCheckBox* box : check_)
        if (!std::ranges::count(design::kStartChecked, box->objectName().toStdString()))
            box->setChecked(false);
    // The results show their units alone again.
    for (const design::ControlSpec* row : design::result_rows())
        write_caption(label(row->name), design_text(row->name));
}

void Form1::Check2_Click() {
    enable_inverter_controls(inverter()->checkState() == Qt::Checked);
}

void Form1::enable_inverter_controls(bool enabled) {
    for (std::string_view name : design::kInverterControls)
        control<QWidget>(this, qt_text(name))->setEnabled(enabled);
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
    write_caption(control<QLabel>(this, qt_text(design::kOptionCaptionLabel)), option->text());
}

void Form1::make_selected_option_the_tab_stop() {
    // The four options are one stop for the tab key, at the selected one.
    for (QRadioButton* each : option_)
        each->setFocusPolicy(each->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void Form1::Text4_Change() {
    control<QLineEdit>(this, qt_text(design::kRainyIntervalBox))->clear();
    for (const calc::Effect& effect : calc::rainy_days_changed(
             control<QLineEdit>(this, qt_text(design::kRainyDaysBox))->text().toStdString()))
        apply(effect);
}

} // namespace vorlaine::ui
