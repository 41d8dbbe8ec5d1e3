// Readings and roundings of numbers done by the C library instead of the
// program, to hold its own conversions against. The fuzzers never change the
// locale, so the C library works in the C locale with a period.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlaine::fuzz {

// `value` rounded to `digits` significant decimal digits and read back: the
// value a text written at that precision must read as. Infinite when the
// rounding leaves the range of a double.
double rounded_to_digits(double value, int digits);

// What parse_number must return for `text` once blanks, tabs and line feeds are
// removed from it, for the texts the C library can read the same way: plain
// decimal numbers and &H / &O integers. Infinite stands for an overflow;
// nothing means the text holds characters this reference does not cover.
std::optional<double> reference_reading(std::string_view text);

// `text` without the blanks, tabs and line feeds that reading skips.
std::string without_skipped(std::string_view text);

} // namespace vorlaine::fuzz
