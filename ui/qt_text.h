// The design's UTF-8 texts as Qt strings.
#pragma once

#include <QString>

#include <string_view>

namespace vorlaine::ui {

inline QString qt_text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vorlaine::ui
