// The window's own caption colours against the system's window colour.
#pragma once

#include <QColor>

namespace vorlaine::ui {

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b);

// `own` as designed on a light window; on a dark one the same hue at the
// lightness that reads at 4.5:1 against it.
QColor readable_on(const QColor& own, const QColor& window);

} // namespace vorlaine::ui
