#include "solar_picture.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace vorlaine::ui {

SolarPicture::SolarPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SolarPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width() / double{kDesignWidth}, height() / double{kDesignHeight});
    QPen pen(QColor(0, 128, 0));
    pen.setCosmetic(true);
    p.setPen(pen);

    // The panel, tilted towards the sun, with its cells, on a pole.
    const QPolygonF panel{{QPointF(6, 22), QPointF(34, 8), QPointF(44, 20), QPointF(16, 34)}};
    p.drawPolygon(panel);
    for (double t : {1.0 / 3, 2.0 / 3}) {
        p.drawLine(panel[0] + (panel[1] - panel[0]) * t, panel[3] + (panel[2] - panel[3]) * t);
        p.drawLine(panel[0] + (panel[3] - panel[0]) * t, panel[1] + (panel[2] - panel[1]) * t);
    }
    p.drawLine(QPointF(25, 27), QPointF(25, 68));
    p.drawLine(QPointF(17, 68), QPointF(33, 68));

    // The sun and its rays.
    const QPointF sun(62, 13);
    p.drawEllipse(sun, 6, 6);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(sun + dir * 8.5, sun + dir * 12.5);
    }

    // The box holding the battery and the controller.
    p.drawRect(QRectF(52, 46, 22, 18));
    p.drawLine(QPointF(56, 52), QPointF(70, 52));
    p.drawLine(QPointF(56, 57), QPointF(66, 57));

    // The lamp on its post.
    p.drawLine(QPointF(112, 68), QPointF(112, 18));
    p.drawLine(QPointF(104, 68), QPointF(120, 68));
    p.drawLine(QPointF(112, 18), QPointF(100, 18));
    QPainterPath shade;
    shade.moveTo(94, 26);
    shade.lineTo(100, 18);
    shade.lineTo(106, 26);
    shade.closeSubpath();
    p.drawPath(shade);
    p.drawLine(QPointF(98, 30), QPointF(96, 33));
    p.drawLine(QPointF(100, 30), QPointF(100, 34));
    p.drawLine(QPointF(102, 30), QPointF(104, 33));

    // The wires joining them.
    p.drawPolyline(QPolygonF{{QPointF(25, 44), QPointF(40, 44), QPointF(52, 55)}});
    p.drawLine(QPointF(74, 55), QPointF(112, 55));
}

} // namespace vorlaine::ui
