// Build tool: renders an SVG of the program (its icon, the window's picture)
// to images.
// Usage: render_icon IMAGE.svg OUT_DIR [--raw] SIZE...
// A SIZE is a side in pixels (a square, OUT_DIR/SIDE.png), or the name of a
// control of the window's table, for its box (OUT_DIR/NAME.png), with "@2x"
// for twice its box (OUT_DIR/NAME@2x.png). With --raw the files end in .argb
// and hold the bare pixels as QImage::Format_ARGB32_Premultiplied keeps them
// (this machine's byte order, no header), which the program takes without a
// decoder at start.
#include "design/control_table.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

bool write_raw(const QImage& image, const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) ==
               image.sizeInBytes();
}

// The pixel size a SIZE argument names; throws std::out_of_range for a name
// the control table does not hold.
QSize size_named(const QByteArray& size) {
    bool side_given = false;
    const int side = size.toInt(&side_given);
    if (side_given)
        return {side, side};
    const bool twice = size.endsWith("@2x");
    const auto& box =
        vorlaine::design::form1_control((twice ? size.chopped(3) : size).toStdString());
    const int scale = twice ? 2 : 1;
    return {vorlaine::design::twips_to_pixels(box.width) * scale,
            vorlaine::design::twips_to_pixels(box.height) * scale};
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: render_icon IMAGE.svg OUT_DIR [--raw] SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    // The picture is drawn to its box whatever the SVG's own proportions.
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    const bool raw = std::strcmp(argv[3], "--raw") == 0;
    for (int i = raw ? 4 : 3; i < argc; ++i) {
        QSize size;
        try {
            size = size_named(QByteArray(argv[i]));
        } catch (const std::out_of_range&) {
            std::fprintf(stderr, "render_icon: no size or control %s\n", argv[i]);
            return 1;
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString path = QStringLiteral("%1/%2.%3")
                                 .arg(QString::fromLocal8Bit(argv[2]))
                                 .arg(QString::fromLocal8Bit(argv[i]))
                                 .arg(raw ? QStringLiteral("argb") : QStringLiteral("png"));
        if (size.isEmpty() || !(raw ? write_raw(image, path) : image.save(path))) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
