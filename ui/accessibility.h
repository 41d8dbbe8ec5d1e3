// What a screen reader learns about the window beyond its captions: the
// results with their current values, the required boxes, the picture, the
// options as one group, and spoken announcements of results that change away
// from the keyboard focus. Every name and description comes from the design.
#pragma once

#include "design/control_table.h"

class QLabel;
class QWidget;

namespace vorlaine::ui {

// Names or describes `control`, built from `row`, beyond its caption.
// Changes nothing on screen.
void describe(QWidget* control, const design::ControlSpec& row);

// Adds the options' group and the announcer to `form`, once its controls
// exist. Changes nothing on screen.
void make_accessible(QWidget* form);

// The caption of `label` was just written. A result label then reads its new
// value, and the results are announced once the running handler is done.
void caption_written(QLabel* label);

} // namespace vorlaine::ui
