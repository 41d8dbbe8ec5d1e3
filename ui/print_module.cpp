// The print module: what Ctrl+P needs (the sheet's drawing with its QR code,
// and Qt's print dialog), loaded by the window on first use so that its
// start loads neither print support nor the QR library.
#include "sizing_sheet.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT void vorlaine_print_sheet(QWidget* parent,
                                                   const vorlaine::ui::sheet::Content& content) {
    vorlaine::ui::sheet::print(parent, content);
}
