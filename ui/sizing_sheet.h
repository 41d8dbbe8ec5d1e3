// The sizing sheet on the desktop: the pieces design/sizing_sheet.cpp makes
// from the record of the last 计算, painted on a page with the link's QR code
// when the build knows the web edition's address. Ctrl+P prints it through
// the print module, loaded on first use.
#pragma once

#include "design/sizing_sheet.h"

#include <QString>
#include <QtPlugin>

#include <string_view>
#include <vector>

class QPagedPaintDevice;
class QWidget;

namespace vorlaine::ui::sheet {

using Content = std::vector<design::sheet::Piece>;

// The web edition's public address this build was given; empty if none.
std::string_view web_address();

// The local date and time now, to the minute.
design::sheet::Moment now();

// paint, write_pdf and print_sheet live in the print module (and its static
// library, vorlaine_sheet), not in the window's own library.

// Paints the sheet on the device's first page; false if it cannot paint there.
bool paint(QPagedPaintDevice& device, const Content& content);

// Writes the sheet to a PDF file; false if it cannot be written.
bool write_pdf(const Content& content, const QString& path);

// Prints through the print dialog, or to the PDF file VORLAINE_PRINT_TO names
// without asking; false if printing could not start.
bool print_sheet(QWidget* parent, const Content& content);

// What the print module gives the window: the print dialog (which also saves
// as PDF), then the sheet on the printer.
class Printer {
public:
    virtual ~Printer() = default;
    // False if printing could not start; a dialog the user cancels is no failure.
    virtual bool print(QWidget* parent, const Content& content) = 0;
};

// The print module's printer, loaded on first use; null if it cannot be.
Printer* load_printer();

} // namespace vorlaine::ui::sheet

#define VORLAINE_PRINTER_IID "io.github.vorlaine.Printer/1"
Q_DECLARE_INTERFACE(vorlaine::ui::sheet::Printer, VORLAINE_PRINTER_IID)
