// Drawing the sizing sheet on a page, with the link's QR code. Built into the
// print module with the print dialog, so that the window loads neither the
// QR library nor print support until the sheet is first printed.
#include "sizing_sheet.h"

#include "design/sheet_texts.h"
#include "design/window_texts.h"
#include "fonts.h"
#include "notice.h"
#include "qt_text.h"

#include <qrcodegen/qrcodegen.hpp>

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace vorlaine::ui::sheet {

namespace measures = design::sheet;
using design::sheet::Part;

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
    const int caption_width = measures::kCaptionColumnMm * 10;
    painter.setPen(Qt::black);

    QFont font = dialog_font();
    const auto set_size = [&](int tenths_mm, bool bold = false) {
        font.setPixelSize(tenths_mm);
        font.setBold(bold);
        painter.setFont(font);
    };
    int y = 0;
    // Draws `text` wrapped inside its column; returns the height it took.
    const auto block = [&](int left, int column, const QString& text, int flags) {
        const QRect box(left, y, column, 3000);
        const int align = flags | Qt::AlignLeft | Qt::AlignTop;
        painter.drawText(box, align, text);
        return painter.boundingRect(box, align, text).height();
    };
    const auto line = [&](const QString& text, int size, int flags = Qt::TextWordWrap) {
        y += block(0, width, text, flags) + size / 4;
    };

    for (const design::sheet::Piece& piece : content) {
        const QString text = QString::fromStdString(piece.text);
        switch (piece.part) {
        case Part::Title:
            set_size(56, true);
            line(text, 56);
            break;
        case Part::Line:
            set_size(39);
            line(text, 39);
            break;
        case Part::Heading:
            y += 40;
            set_size(42, true);
            line(text, 42);
            painter.drawLine(0, y - 8, width, y - 8);
            y += 6;
            break;
        case Part::Row: {
            set_size(39);
            const QString value = QString::fromStdString(piece.value);
            const int flags = Qt::TextWrapAnywhere;
            y += std::max(block(0, caption_width, text, flags),
                          block(caption_width, width - caption_width, value, flags)) +
                 3;
            break;
        }
        case Part::Cells: {
            // Four columns of equal width; a cell ends with a tab.
            set_size(39);
            const QStringList cells = text.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
            const int column = width / 4;
            int tallest = 0;
            for (int i = 0; i < cells.size(); ++i)
                tallest =
                    std::max(tallest, block(i * column, column, cells[i], Qt::TextWrapAnywhere));
            y += tallest + 3;
            break;
        }
        case Part::Notice:
            y += 30;
            set_size(39);
            line(notice_lines(text), 39);
            break;
        case Part::Link:
            set_size(32);
            line(text, 32, Qt::TextWrapAnywhere);
            break;
        case Part::Code: {
            // The code with its quiet zone, at the sheet's size for it.
            const qrcodegen::QrCode code =
                qrcodegen::QrCode::encodeText(piece.text.c_str(), qrcodegen::QrCode::Ecc::MEDIUM);
            const int side = code.getSize();
            const int quiet = measures::kQuietModules;
            const double module = measures::kCodeMm * 10.0 / (side + 2 * quiet);
            y += 20;
            for (int my = 0; my < side; ++my)
                for (int mx = 0; mx < side; ++mx)
                    if (code.getModule(mx, my))
                        painter.fillRect(QRectF((mx + quiet) * module, y + (my + quiet) * module,
                                                module, module),
                                         Qt::black);
            y += measures::kCodeMm * 10;
            break;
        }
        }
    }
    return true;
}

bool write_pdf(const Content& content, const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    const double margin = measures::kMarginMm;
    writer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    writer.setTitle(qt_text(design::texts::window_caption) + QLatin1Char(' ') +
                    qt_text(measures::title));
    return paint(writer, content);
}

} // namespace vorlaine::ui::sheet
