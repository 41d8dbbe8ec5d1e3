// Qt's own texts (the right-click menu of a box, standard buttons) in
// Simplified Chinese, whatever the user's locale: the window is Chinese by
// design.
#pragma once

class QCoreApplication;

namespace vorlaine::ui {

// Loads Qt's Simplified-Chinese catalogue from the system's Qt translations
// folder into `app`. False when it is not installed; Qt's English stays then.
bool load_qt_translations(QCoreApplication& app);

} // namespace vorlaine::ui
