// The program's icon, compiled in: PNGs rendered from packaging/vorlaine.svg
// at build time.
#pragma once

#include <QIcon>

namespace vorlaine::ui {

QIcon window_icon();

} // namespace vorlaine::ui
