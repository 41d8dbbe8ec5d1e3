// A label that shows its text whole where it can: a text wider than the label
// is drawn in the largest smaller size that fits, down to three quarters of
// the label's own; one that still does not fit shows as much as fits, ending
// in "…", with the whole text as its tooltip. The label's text stays whole,
// for a screen reader and the sizing sheet. A text that fits keeps the
// label's own font.
#pragma once

class QLabel;

namespace vorlaine::ui {

// Fits the label's current text to its width; call it after each write.
void fit_text_to_width(QLabel* label);

} // namespace vorlaine::ui
