// A label that shows its whole text: a text wider than the label is drawn in
// the largest smaller size that fits, instead of being cut at the label's
// edge; a text that fits keeps the label's own font.
#pragma once

class QLabel;

namespace vorlaine::ui {

// Fits the label's current text to its width; call it after each write.
void fit_text_to_width(QLabel* label);

} // namespace vorlaine::ui
