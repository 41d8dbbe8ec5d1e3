#include "command_line.h"
#include "fonts.h"
#include "form1.h"
#include "rendered_images.h"
#include "start_failure.h"
#include "translations.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <optional>

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
    using namespace vorlaine::ui;
    // --help and --version answer without a display.
    if (const int status = answer(read_command_line({argv, static_cast<std::size_t>(argc)}));
        status >= 0)
        return status;
    if (!display_available()) {
        std::fputs("vorlaine: no display to open the window on (DISPLAY is not set)\n", stderr);
        return 1;
    }
    // The desktop entry's name: the Wayland app_id, and how docks find the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vorlaine"));
    std::optional<StartFailureGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    QApplication::setFont(dialog_font());
    QApplication::setWindowIcon(window_icon());
    load_qt_translations(app);
    Form1 window;
    window.show();
    return QApplication::exec();
}
