// What a screen reader learns about the window beyond its captions: the
// window itself, the results with their current values, the required boxes,
// the options as one group, and spoken announcements of results that change
// away from the keyboard focus.
#pragma once

#include "control_table.h"

#include <span>

class QLabel;
class QWidget;

namespace vorlaine::ui {

// Prepares the window built from `table` for assistive technology. Call once,
// after its controls exist. Changes nothing on screen.
void make_accessible(QWidget* form, std::span<const ControlSpec> table);

// The caption of `label` was just written. A result label then reads its new
// value, and the results are announced once the running handler is done.
void caption_written(QLabel* label);

} // namespace vorlaine::ui
