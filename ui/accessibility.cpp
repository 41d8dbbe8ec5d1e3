#include "accessibility.h"

#include "accessible_interfaces.h"
#include "announcer.h"
#include "control_lookup.h"
#include "design/window_state.h"
#include "design/window_texts.h"
#include "qt_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace vorlaine::ui {
namespace {

// A result is heard as what it shows, then its caption as written.
void name_result(QLabel* label, const char* result_name) {
    label->setAccessibleName(QString::fromUtf8(result_name) + QLatin1Char(' ') + label->text());
}

} // namespace

void describe(QWidget* control, const design::ControlSpec& row) {
    if (row.result_name)
        name_result(static_cast<QLabel*>(control), row.result_name);
    else if (row.kind == design::Kind::TextBox && design::is_required(row.name))
        control->setAccessibleDescription(qt_text(design::texts::required));
    else if (row.kind == design::Kind::Picture)
        control->setAccessibleName(qt_text(design::texts::picture));
}

void make_accessible(QWidget* form) {
    for (auto* frame : form->findChildren<QGroupBox*>())
        if (!frame->findChildren<QRadioButton*>().isEmpty())
            new OptionGroup(frame, qt_text(design::texts::sunshine_group));
    new Announcer(form);
}

void caption_written(QLabel* label) {
    const char* result_name = design::form1_control(label->objectName().toStdString()).result_name;
    if (!result_name)
        return;
    // A label with a name of its own reports only a new name, which this is.
    name_result(label, result_name);
    if (Announcer* announcer = Announcer::of(label->window()))
        announcer->results_changed();
}

} // namespace vorlaine::ui
