// The shape of a number as the window writes it.
#pragma once

#include <string>
#include <string_view>

namespace vorlaine::fuzz {

// Checks `text` against the way format_number writes a value: a blank or a minus
// sign, digits with at most one period and no trailing fraction zeros, at most
// `max_digits` significant digits, then optionally E, a sign and digits.
// Returns what is wrong, or an empty string when the text is well formed.
std::string number_shape_fault(std::string_view text, int max_digits);

} // namespace vorlaine::fuzz
