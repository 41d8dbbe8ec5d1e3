#include "sizing_sheet.h"

#include "control_lookup.h"
#include "design/control_table.h"
#include "design/sheet_texts.h"
#include "design/window_state.h"
#include "design/window_texts.h"
#include "fonts.h"
#include "qt_text.h"

#include <qrcodegen/qrcodegen.hpp>

#include <QAbstractButton>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

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

std::string_view web_address() {
    return VORLAINE_WEB_ADDRESS;
}

QString link_fragment(const QWidget* form) {
    QStringList fields;
    for (int n = 1; n <= 4; ++n) {
        const auto* option = control<QAbstractButton>(form, QStringLiteral("Option%1").arg(n));
        if (option->isChecked() && !starts_checked(option->objectName()))
            fields << QStringLiteral("Option=%1").arg(n);
    }
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
    const QAbstractButton* kind = nullptr;
    std::size_t kind_number = 0;
    for (int n = 1; n <= 4; ++n)
        if (const auto* option = control<QAbstractButton>(form, QStringLiteral("Option%1").arg(n));
            option->isChecked()) {
            kind = option;
            kind_number = static_cast<std::size_t>(n);
        }
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
                                    kind ? with_unit(value, words::kSunshineUnits[kind_number - 1])
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

bool paint(QPagedPaintDevice& device, const Content& content) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Lengths in tenths of a millimetre from the printable area's corner.
    const QPageLayout layout = device.pageLayout();
    const double scale = layout.paintRectPixels(device.logicalDpiX()).width() /
                         layout.paintRect(QPageLayout::Millimeter).width() / 10;
    painter.scale(scale, scale);
    const int width = static_cast<int>(layout.paintRect(QPageLayout::Millimeter).width() * 10);
    painter.setPen(Qt::black);

    QFont font = dialog_font();
    const auto set_size = [&](int tenths_mm, bool bold = false) {
        font.setPixelSize(tenths_mm);
        font.setBold(bold);
        painter.setFont(font);
    };
    int y = 0;
    const auto line = [&](const QString& text, int height, int flags = Qt::TextSingleLine) {
        const QRect box(0, y, width, height * 20);
        const QRect used = painter.boundingRect(box, flags | Qt::AlignLeft | Qt::AlignTop, text);
        painter.drawText(box, flags | Qt::AlignLeft | Qt::AlignTop, text);
        y += used.height() + height / 4;
    };
    const auto heading = [&](std::string_view text) {
        y += 40;
        set_size(42, true);
        line(qt_text(text), 42);
        painter.drawLine(0, y - 8, width, y - 8);
        y += 6;
    };
    const auto rows = [&](const std::vector<Row>& list) {
        set_size(39);
        for (const auto& [caption, value] : list) {
            painter.drawText(QRect(0, y, 500, 55), Qt::AlignLeft | Qt::AlignTop, caption);
            painter.drawText(QRect(500, y, width - 500, 55), Qt::AlignLeft | Qt::AlignTop, value);
            y += 58;
        }
    };

    set_size(56, true);
    line(qt_text(design::texts::window_caption) + QLatin1Char(' ') + qt_text(words::title), 56);
    set_size(39);
    line(qt_text(words::date) + QLatin1Char(' ') + content.printed_at, 39);
    heading(words::inputs);
    rows(content.inputs);
    heading(words::results);
    rows(content.results);
    if (content.notice) {
        y += 30;
        set_size(39);
        QString text = QString::fromStdString(content.notice->text);
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        line(QString::fromStdString(content.notice->title) + QStringLiteral(": ") + text, 39,
             Qt::TextWordWrap);
    }
    if (content.link.isEmpty())
        return true;
    heading(words::link);
    set_size(32);
    line(content.link, 32, Qt::TextWrapAnywhere);
    // The code, 40 mm wide with its quiet zone of four modules.
    const qrcodegen::QrCode code = qrcodegen::QrCode::encodeText(content.link.toUtf8().constData(),
                                                                 qrcodegen::QrCode::Ecc::MEDIUM);
    const int side = code.getSize();
    const double module = 400.0 / (side + 8);
    y += 20;
    for (int my = 0; my < side; ++my)
        for (int mx = 0; mx < side; ++mx)
            if (code.getModule(mx, my))
                painter.fillRect(QRectF((mx + 4) * module, y + (my + 4) * module, module, module),
                                 Qt::black);
    return true;
}

bool write_pdf(const Content& content, const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(qt_text(design::texts::window_caption) + QLatin1Char(' ') +
                    qt_text(words::title));
    return paint(writer, content);
}

} // namespace vorlaine::ui::sheet
