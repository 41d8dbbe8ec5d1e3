// The sizing sheet: the window's inputs, results and last notice on one page,
// with the link that opens the same inputs in the web edition and its QR code
// when the build knows that edition's address. Ctrl+P prints it.
#pragma once

#include "calc/sizing.h"

#include <QString>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class QPagedPaintDevice;
class QWidget;

namespace vorlaine::ui::sheet {

using Row = std::pair<QString, QString>; // caption, value with its unit

struct Content {
    QString printed_at; // local date and time
    std::vector<Row> inputs;
    std::vector<Row> results;
    std::optional<calc::Notice> notice; // the notice the last 计算 ended with
    QString link;                       // empty when the web edition's address is not known
};

// The web edition's public address this build was given; empty if none.
std::string_view web_address();

// Reads the window `form` as it stands.
Content read_window(const QWidget* form, const std::optional<calc::Notice>& last_notice,
                    std::string_view address);

// The link's fragment, as the web page writes it into its address: only what
// differs from the start state, encoded as a form's fields.
QString link_fragment(const QWidget* form);

// Paints the sheet on the device's first page; false if it cannot paint there.
bool paint(QPagedPaintDevice& device, const Content& content);

// Writes the sheet to a PDF file; false if it cannot be written.
bool write_pdf(const Content& content, const QString& path);

// Opens the print dialog (which also saves as PDF) and prints the sheet.
// paint, write_pdf and print live in the print module (and its static
// library, vorlaine_sheet), not in the window's own library.
void print(QWidget* parent, const Content& content);

// print, from the print module loaded on first use; null if it cannot be.
using PrintFunction = void (*)(QWidget*, const Content&);
PrintFunction load_print_module();

} // namespace vorlaine::ui::sheet
