#include "readable_colour.h"

#include <algorithm>
#include <cmath>

namespace vorlaine::ui {
namespace {

constexpr double kReadable = 4.5;

double luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// As it is drawn: eight bits a channel.
QColor drawn(const QColor& c) {
    return QColor(c.red(), c.green(), c.blue());
}

} // namespace

double contrast(const QColor& a, const QColor& b) {
    const auto [low, high] = std::minmax({luminance(a), luminance(b)});
    return (high + 0.05) / (low + 0.05);
}

QColor readable_on(const QColor& own, const QColor& window) {
    // A window that black reads better on than white is light: as designed.
    if (contrast(window, Qt::black) >= contrast(window, Qt::white) ||
        contrast(own, window) >= kReadable)
        return own;
    // On a dark window white always reaches 4.5:1, so the lightness between
    // the colour's own and white's is halved down to the first that does.
    float hue = 0, saturation = 0, lightness = 0;
    own.getHslF(&hue, &saturation, &lightness);
    float dim = lightness, bright = 1;
    for (int step = 0; step < 16; ++step) {
        const float middle = (dim + bright) / 2;
        if (contrast(drawn(QColor::fromHslF(hue, saturation, middle)), window) >= kReadable)
            bright = middle;
        else
            dim = middle;
    }
    return drawn(QColor::fromHslF(hue, saturation, bright));
}

} // namespace vorlaine::ui
