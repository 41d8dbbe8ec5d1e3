// The images rendered from SVG at build time (tools/render_icon.cpp) and
// compiled in as bare pixels: the window icon, from packaging/vorlaine.svg,
// and the picture 太阳能照明装置图, from design/solar_picture.svg, which the
// web page shows as it is.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QWidget>

namespace vorlaine::ui {

QIcon window_icon();

// The picture control: its own rendering at its size, and at twice that on a
// high-density screen. Its name in the control table names its images.
class SolarPicture : public QWidget {
public:
    explicit SolarPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    int scale_ = 0;
};

} // namespace vorlaine::ui
