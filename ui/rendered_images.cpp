#include "rendered_images.h"

#include <QDirIterator>
#include <QPainter>
#include <QResource>

#include <cstring>

namespace vorlaine::ui {
namespace {

// The pixels are compiled in as they lie in memory: a PNG would bring Qt's
// image reader to the start, which first reads the list of every installed
// image-format plugin. A null image when the resource is not of that size.
QImage compiled_image(const QString& path, QSize size) {
    const QByteArray pixels = QResource(path).uncompressedData();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || pixels.size() != image.sizeInBytes())
        return {};
    std::memcpy(image.bits(), pixels.constData(), static_cast<std::size_t>(pixels.size()));
    return image;
}

} // namespace

// Only the sizes a desktop shows for a window are compiled in
// (ui/CMakeLists.txt), since X11 is sent each one.
QIcon window_icon() {
    QIcon icon;
    QDirIterator files(QStringLiteral(":/vorlaine/icons"), QDir::Files);
    while (files.hasNext()) {
        const QString path = files.next();
        const int side = files.fileInfo().baseName().toInt();
        const QImage image = compiled_image(path, QSize(side, side));
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

SolarPicture::SolarPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SolarPicture::paintEvent(QPaintEvent*) {
    // Read when first drawn, and again if the window moves to a screen of
    // the other density.
    const int scale = devicePixelRatioF() > 1 ? 2 : 1;
    if (scale != scale_) {
        const QString name = objectName() + (scale > 1 ? QStringLiteral("@2x") : QString());
        picture_ = QPixmap::fromImage(compiled_image(
            QStringLiteral(":/vorlaine/pictures/%1.argb").arg(name), size() * scale));
        picture_.setDevicePixelRatio(scale);
        scale_ = scale;
    }
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawPixmap(rect(), picture_);
}

} // namespace vorlaine::ui
