// Build tool: renders the program's SVG icon to square images.
// Usage: render_icon ICON.svg OUT_DIR [--raw] SIZE...
// Writes OUT_DIR/SIZE.png, or with --raw OUT_DIR/SIZE.argb: the bare pixels
// as QImage::Format_ARGB32_Premultiplied keeps them (this machine's byte
// order, no header), which the program takes without a decoder at start.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstring>

namespace {

bool write_raw(const QImage& image, const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) ==
               image.sizeInBytes();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: render_icon ICON.svg OUT_DIR [--raw] SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const bool raw = std::strcmp(argv[3], "--raw") == 0;
    for (int i = raw ? 4 : 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString path = QStringLiteral("%1/%2.%3")
                                 .arg(QString::fromLocal8Bit(argv[2]))
                                 .arg(size)
                                 .arg(raw ? QStringLiteral("argb") : QStringLiteral("png"));
        if (size <= 0 || !(raw ? write_raw(image, path) : image.save(path))) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
