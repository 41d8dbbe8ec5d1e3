// The program's window icon, compiled in: rendered from packaging/vorlaine.svg
// at build time (tools/render_icon.cpp).
#pragma once

#include <QIcon>

namespace vorlaine::ui {

QIcon window_icon();

} // namespace vorlaine::ui
