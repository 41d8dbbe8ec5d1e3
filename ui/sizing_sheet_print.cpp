// Printing the sizing sheet through Qt's print dialog, apart from the rest so
// that the window links print support only here.
#include "sizing_sheet.h"

#include "design/sheet_texts.h"

#include <QPrintDialog>
#include <QPrinter>

namespace vorlaine::ui::sheet {

bool print_sheet(QWidget* parent, const Content& content) {
    namespace measures = design::sheet;
    QPrinter printer(QPrinter::HighResolution);
    const double margin = measures::kMarginMm;
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    // Headless runs print to a PDF file without asking.
    if (const QString file = qEnvironmentVariable("VORLAINE_PRINT_TO"); !file.isEmpty()) {
        printer.setOutputFileName(file);
        return paint(printer, content);
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() != QDialog::Accepted || paint(printer, content);
}

} // namespace vorlaine::ui::sheet
