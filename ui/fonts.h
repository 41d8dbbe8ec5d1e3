// The fonts of the window: a Chinese dialog font for every control, and a
// stand-in for 宋体, the slogan's font, on systems that do not have it.
#pragma once

#include <QFont>

namespace vorlaine::ui {

// Makes "宋体" resolve to an installed Chinese serif font. Safe to call often.
void register_font_substitutions();

// The dialog font the window's controls use unless the table says otherwise.
QFont dialog_font();

// The slogan's font: 宋体, 12 point, bold.
QFont slogan_font();

} // namespace vorlaine::ui
