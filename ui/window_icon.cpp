#include "window_icon.h"

namespace vorlaine::ui {

QIcon window_icon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/vorlaine/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace vorlaine::ui
