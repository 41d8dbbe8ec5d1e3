// Turns the window's control table into widgets.
#pragma once

#include "design/control_table.h"

#include <span>

class QWidget;

namespace vorlaine::ui {

// Creates every control of `table` as a child of `form` (or of the frame that
// holds it) and describes it for screen readers, then joins caption labels to
// their text boxes and chains the tab order by tab index.
void build_controls(QWidget* form, std::span<const design::ControlSpec> table);

} // namespace vorlaine::ui
