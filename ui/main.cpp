#include "fonts.h"
#include "form1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort with a long message; say it in one line.
bool display_available() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!display_available()) {
        std::fputs("vorlaine: no display to open the window on (DISPLAY is not set)\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setFont(vorlaine::ui::dialog_font());
    vorlaine::ui::Form1 window;
    window.show();
    return QApplication::exec();
}
