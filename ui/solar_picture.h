// The small line drawing at the top right of the window: a solar lighting set.
#pragma once

#include <QWidget>

namespace vorlaine::ui {

// Drawn on a 129 x 73 grid and stretched to the widget, so it stays sharp at
// any screen scale.
class SolarPicture : public QWidget {
public:
    explicit SolarPicture(QWidget* parent = nullptr);

    static constexpr int kDesignWidth = 129;
    static constexpr int kDesignHeight = 73;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vorlaine::ui
