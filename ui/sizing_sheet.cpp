#include "sizing_sheet.h"

#include "control_lookup.h"
#include "design/control_table.h"
#include "design/sheet_texts.h"
#include "design/window_state.h"
#include "design/window_texts.h"
#include "qt_text.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>

#include <algorithm>
#include <cctype>

namespace vorlaine::ui::sheet {
namespace {

namespace words = design::sheet;

QString with_unit(const QString& value, std::string_view unit) {
    return unit.empty() ? value : value + QLatin1Char(' ') + qt_text(unit);
}

QString box_text(const QWidget* form, std::string_view box) {
    return control<QLineEdit>(form, qt_text(box))->text();
}

// The selected sunshine option and its index in the design's list; null if none is.
std::pair<const QAbstractButton*, std::size_t> chosen_option(const QWidget* form) {
    for (std::size_t i = 0; i < design::kSunshineOptions.size(); ++i)
        if (const auto* option =
                control<QAbstractButton>(form, qt_text(design::kSunshineOptions[i].name));
            option->isChecked())
            return {option, i};
    return {nullptr, 0};
}

bool starts_checked(const QString& name) {
    return std::ranges::count(design::kStartChecked, name.toStdString()) > 0;
}

// A form field's encoding, as the browser writes it: letters, digits and
// *-._ stay, a blank becomes +, every other byte of the UTF-8 is %XX.
QString form_encoded(const QString& text) {
    QString out;
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80)
            out += QLatin1Char(c);
        else if (c == '*' || c == '-' || c == '.' || c == '_')
            out += QLatin1Char(c);
        else if (c == ' ')
            out += QLatin1Char('+');
        else
            out += QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace

PrintFunction load_print_module() {
    // Beside the program in the build folder, else where it is installed.
    const QString program = QCoreApplication::applicationDirPath();
    for (const QString& folder :
         {program, program + QStringLiteral("/" VORLAINE_MODULE_FROM_PROGRAM)}) {
        QLibrary module(folder + QStringLiteral("/vorlaine_print"));
        if (QFunctionPointer found = module.resolve("vorlaine_print_sheet"))
            return reinterpret_cast<PrintFunction>(found);
    }
    qWarning("vorlaine: cannot load the print module vorlaine_print");
    return nullptr;
}

std::string_view web_address() {
    return VORLAINE_WEB_ADDRESS;
}

QString link_fragment(const QWidget* form) {
    QStringList fields;
    if (const auto [option, index] = chosen_option(form);
        option && !starts_checked(option->objectName()))
        fields << QStringLiteral("Option=%1").arg(index + 1);
    for (int n = 1; n <= 4; ++n) {
        const auto* box = control<QAbstractButton>(form, QStringLiteral("Check%1").arg(n));
        if (box->isEnabled() && box->isChecked() != starts_checked(box->objectName()))
            fields << box->objectName() +
                          (box->isChecked() ? QStringLiteral("=1") : QStringLiteral("=0"));
    }
    for (std::string_view box : design::kTextBoxes) {
        const QString text = box_text(form, box);
        if (text != qt_text(design::design_text(box)))
            fields << qt_text(box) + QLatin1Char('=') + form_encoded(text);
    }
    return fields.join(QLatin1Char('&'));
}

Content read_window(const QWidget* form, const std::optional<calc::Notice>& last_notice,
                    std::string_view address) {
    Content content;
    content.printed_at = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const auto [kind, kind_index] = chosen_option(form);
    for (const words::InputRow& row : words::kInputRows) {
        const QString value = box_text(form, row.box);
        if (row.box != words::kSunshineBox) {
            content.inputs.emplace_back(qt_text(design::caption_naming(row.box)),
                                        with_unit(value, row.unit));
            continue;
        }
        const QString kind_name = kind ? kind->text() : QString();
        content.inputs.emplace_back(qt_text(design::texts::sunshine_group), kind_name);
        content.inputs.emplace_back(kind ? kind_name : qt_text(design::caption_naming(row.box)),
                                    kind ? with_unit(value, words::kSunshineUnits[kind_index])
                                         : value);
    }
    const auto* inverter = control<QAbstractButton>(form, qt_text(words::kInverterCheck));
    content.inputs.emplace_back(inverter->text(),
                                qt_text(inverter->isChecked() ? words::yes : words::no));
    if (inverter->isChecked())
        content.inputs.emplace_back(qt_text(design::caption_naming(words::kInverterBox)),
                                    box_text(form, words::kInverterBox));
    for (const design::ControlSpec* row : design::result_rows())
        content.results.emplace_back(qt_text(row->result_name),
                                     control<QLabel>(form, qt_text(row->name))->text().trimmed());
    content.notice = last_notice;
    if (!address.empty()) {
        const QString fragment = link_fragment(form);
        content.link =
            qt_text(address) + (fragment.isEmpty() ? QString() : QLatin1Char('#') + fragment);
    }
    return content;
}

} // namespace vorlaine::ui::sheet
