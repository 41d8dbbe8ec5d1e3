#include "fonts.h"

#include <QStringList>

namespace vorlaine::ui {

void register_font_substitutions() {
    static const bool registered = [] {
        QFont::insertSubstitutions(
            QStringLiteral("宋体"),
            {QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("AR PL UMing CN"),
             QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Serif CJK SC")});
        return true;
    }();
    (void)registered;
}

QFont dialog_font() {
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Droid Sans Fallback"), QStringLiteral("Sans Serif")});
    font.setPointSize(9);
    return font;
}

QFont slogan_font() {
    register_font_substitutions();
    QFont font(QStringLiteral("宋体"), 12, QFont::Bold);
    font.setStyleHint(QFont::Serif);
    return font;
}

} // namespace vorlaine::ui
