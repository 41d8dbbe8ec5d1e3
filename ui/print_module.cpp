// The print module: what Ctrl+P needs (the sheet's drawing with its QR code,
// and Qt's print dialog), loaded by the window on first use so that its
// start loads neither print support nor the QR library.
#include "sizing_sheet.h"

#include <QObject>

namespace vorlaine::ui::sheet {

class PrintModule : public QObject, public Printer {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VORLAINE_PRINTER_IID)
    Q_INTERFACES(vorlaine::ui::sheet::Printer)

public:
    bool print(QWidget* parent, const Content& content) override {
        return print_sheet(parent, content);
    }
};

} // namespace vorlaine::ui::sheet

#include "print_module.moc"
