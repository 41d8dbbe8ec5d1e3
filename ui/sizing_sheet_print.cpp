// Printing the sizing sheet through Qt's print dialog, apart from the rest so
// that the window links print support only here.
#include "sizing_sheet.h"

#include <QPrintDialog>
#include <QPrinter>

namespace vorlaine::ui::sheet {

void print(QWidget* parent, const Content& content) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        paint(printer, content);
}

} // namespace vorlaine::ui::sheet
