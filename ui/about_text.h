// The text of the information box shown on a double click on the window.
#pragma once

#include "window_texts.h"

#include <QString>

namespace vorlaine::ui {

inline QString about_title() {
    return QString::fromUtf8(texts::about_title.data(),
                             static_cast<qsizetype>(texts::about_title.size()));
}

inline QString about_text() {
    return QString::fromUtf8(texts::about_text.data(),
                             static_cast<qsizetype>(texts::about_text.size()));
}

} // namespace vorlaine::ui
