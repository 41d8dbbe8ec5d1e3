#include "whole_text.h"

#include <QFontMetricsF>
#include <QLabel>

#include <algorithm>

namespace vorlaine::ui {
namespace {

// The label's font before it was first made smaller, kept on the label.
constexpr char kOwnFont[] = "vorlaine_own_font";

bool fits(const QFont& font, const QString& text, qreal room) {
    return QFontMetricsF(font).horizontalAdvance(text) <= room;
}

QFont scaled(QFont font, qreal factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(std::max(1, int(font.pixelSize() * factor)));
    return font;
}

} // namespace

void fit_text_to_width(QLabel* label) {
    const QVariant kept = label->property(kOwnFont);
    // A font the label inherits stays inherited when the text fits again.
    const bool inherited = kept.isValid() ? kept.isNull() : !label->testAttribute(Qt::WA_SetFont);
    const QFont own = kept.isValid() && !kept.isNull() ? kept.value<QFont>() : label->font();
    const qreal room = label->contentsRect().width();
    QString text = label->text(); // a blank at the end shows nothing
    while (text.endsWith(' '))
        text.chop(1);
    if (fits(own, text, room)) {
        if (kept.isValid()) {
            label->setFont(inherited ? QFont() : own);
            label->setProperty(kOwnFont, QVariant());
        }
        return;
    }
    if (!kept.isValid())
        label->setProperty(kOwnFont, inherited ? QVariant(QMetaType::fromType<QFont>()) : own);
    // Hinting makes the width step unevenly with the size: shrink until it fits.
    qreal factor = room / QFontMetricsF(own).horizontalAdvance(text);
    QFont smaller = scaled(own, factor);
    while (!fits(smaller, text, room) && factor > 0.2)
        smaller = scaled(own, factor *= 0.97);
    label->setFont(smaller);
}

} // namespace vorlaine::ui
