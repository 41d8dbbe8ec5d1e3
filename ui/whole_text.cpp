#include "whole_text.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace vorlaine::ui {
namespace {

// The label's font before it was first made smaller, kept on the label.
constexpr char kOwnFont[] = "vorlaine_own_font";
// Smaller than this, a result can no longer be read.
constexpr qreal kSmallest = 0.75;

// Draws a label whose text does not fit as much of it as fits, ending in
// "…", in place of QLabel's own drawing, which would cut it at the edge.
class Ellipsis : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* label = qobject_cast<QLabel*>(watched);
        if (event->type() != QEvent::Paint || !label || label->toolTip().isEmpty())
            return false;
        QPainter painter(label);
        const QRect room = label->contentsRect();
        label->style()->drawItemText(
            &painter, room, int(label->alignment()), label->palette(), label->isEnabled(),
            label->fontMetrics().elidedText(label->text(), Qt::ElideRight, room.width()),
            label->foregroundRole());
        return true;
    }
};

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
    label->setToolTip(QString());
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
    qreal factor = std::max(kSmallest, room / QFontMetricsF(own).horizontalAdvance(text));
    QFont smaller = scaled(own, factor);
    while (!fits(smaller, text, room) && factor > kSmallest)
        smaller = scaled(own, factor = std::max(kSmallest, factor * 0.97));
    label->setFont(smaller);
    if (fits(smaller, text, room))
        return;
    // The tooltip holds the whole text while the label is cut.
    static Ellipsis* const ellipsis = new Ellipsis(QCoreApplication::instance());
    label->setToolTip(label->text());
    label->installEventFilter(ellipsis); // once: a filter installed again moves, it is not doubled
}

} // namespace vorlaine::ui
