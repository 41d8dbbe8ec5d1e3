#include "window_icon.h"

#include <QDirIterator>
#include <QPixmap>
#include <QResource>

#include <cstring>

namespace vorlaine::ui {

// The pixels are compiled in as they lie in memory: a PNG would bring Qt's
// image reader to the start, which first reads the list of every installed
// image-format plugin. Only the sizes a desktop shows for a window are
// compiled in (ui/CMakeLists.txt), since X11 is sent each one.
QIcon window_icon() {
    QIcon icon;
    QDirIterator files(QStringLiteral(":/vorlaine/icons"), QDir::Files);
    while (files.hasNext()) {
        const QString path = files.next();
        const int size = files.fileInfo().baseName().toInt();
        const QByteArray pixels = QResource(path).uncompressedData();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull() || pixels.size() != image.sizeInBytes())
            continue;
        std::memcpy(image.bits(), pixels.constData(), static_cast<std::size_t>(pixels.size()));
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    return icon;
}

} // namespace vorlaine::ui
