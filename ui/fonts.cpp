#include "fonts.h"

#include "design/fonts.h"
#include "qt_text.h"

#include <QStringList>

namespace vorlaine::ui {
namespace {

QStringList families(std::span<const std::string_view> names) {
    QStringList out;
    for (std::string_view name : names)
        out << qt_text(name);
    return out;
}

} // namespace

void register_font_substitutions() {
    static const bool registered = [] {
        const auto names = design::kSloganFamilies.names;
        QFont::insertSubstitutions(qt_text(names.front()), families(names.subspan(1)));
        return true;
    }();
    (void)registered;
}

QFont dialog_font() {
    QFont font;
    font.setFamilies(families(design::kDialogFamilies.names) << QStringLiteral("Sans Serif"));
    font.setPointSize(9);
    return font;
}

QFont slogan_font() {
    register_font_substitutions();
    QFont font(qt_text(design::kSloganFamilies.names.front()), 12, QFont::Bold);
    font.setStyleHint(QFont::Serif);
    return font;
}

} // namespace vorlaine::ui
