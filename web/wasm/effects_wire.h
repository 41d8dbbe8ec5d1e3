// The byte form in which the page hands the window's inputs to the core and
// takes the effects back: little-endian 32-bit lengths before UTF-8 texts, so
// that any text a user can type crosses unchanged.
#pragma once

#include "byte_form.h"
#include "calc/sizing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlaine::web {

// Inputs: the ten texts (Text1 first), then one byte for Check2's value and
// one for the selected option (0 none, 1 to 4 for Option1 to Option4).
// Nothing when the bytes are cut short.
std::optional<calc::WindowInputs> read_window_inputs(std::string_view bytes);
// The same, read on from `in`.
std::optional<calc::WindowInputs> read_window_inputs(ByteReader& in);

// Effects: their count, then for each one kind byte (0 notice, 1 caption)
// and two texts: a notice's title and text, or a caption's label and text.
std::string write_effects(const std::vector<calc::Effect>& effects);

} // namespace vorlaine::web
