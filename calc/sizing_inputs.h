// Reading the window's texts into the inputs of one calculation.
#pragma once

#include "window_inputs.h"

#include <array>
#include <optional>

namespace vorlaine::calc {

// The boxes the calculation will not run without (Text1, Text2, Text3, Text9).
inline constexpr std::array<int, 4> kRequiredBoxes{1, 2, 3, 9};

// True when one of the required boxes (load power, load voltage, working time,
// sunshine figure) is empty. A box holding only blanks is not empty.
bool missing_required_text(const WindowInputs& inputs);

// Parses every input box. Nothing when a number is too large to read or to be
// kept in its precision.
std::optional<SizingInputs> read_inputs(const WindowInputs& inputs);

// Turns the typed sunshine figure into effective sunshine hours per day; a
// yearly radiation figure is spread over 360 days. Nothing on an arithmetic fault.
std::optional<float> effective_sunshine(float figure, std::optional<SunshineKind> kind);

} // namespace vorlaine::calc
