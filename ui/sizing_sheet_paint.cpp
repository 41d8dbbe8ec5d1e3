// Drawing the sizing sheet on a page, with the link's QR code. Built into the
// print module with the print dialog, so that the window loads neither the
// QR library nor print support until the sheet is first printed.
#include "sizing_sheet.h"

#include "design/sheet_texts.h"
#include "design/window_texts.h"
#include "fonts.h"
#include "qt_text.h"

#include <qrcodegen/qrcodegen.hpp>

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace vorlaine::ui::sheet {

namespace words = design::sheet;

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
