// Conversions between the texts of the window and numbers.
//
// Reading follows the classic BASIC Val rules and writing the Str rules, so that
// a value reads and prints the same whatever the user's locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlaine::calc {

// Reads the number at the start of `text` (UTF-8, any bytes allowed).
// Blanks, tabs and line feeds are ignored wherever they stand; reading stops at
// the first character that cannot continue the number; no digit reads as 0.
// `&H` and `&O` introduce hexadecimal and octal integers.
// Returns the correctly rounded double of the digits read, or nothing when
// that value is beyond the range of a double (an overflow).
std::optional<double> parse_number(std::string_view text);

// Writes a value the way it is shown in the window: at most 7 significant
// digits for a float and 15 for a double, one leading blank instead of a plus
// sign, a period as the decimal separator, no trailing zeros.
std::string format_number(float value);
std::string format_number(double value);

} // namespace vorlaine::calc
