// The fonts of the window, from the design's lists: a Chinese dialog font
// for every control, and stand-ins for the slogan's font on systems that do
// not have it.
#pragma once

#include <QFont>

namespace vorlaine::ui {

// Makes the slogan's family resolve to an installed Chinese serif font. Safe
// to call often.
void register_font_substitutions();

// The dialog font the window's controls use unless the table says otherwise.
QFont dialog_font();

// The slogan's font, 12 point, bold.
QFont slogan_font();

} // namespace vorlaine::ui
