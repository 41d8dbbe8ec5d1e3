// The number conversions for standard libraries without floating-point
// std::from_chars/std::to_chars (emscripten's): reading by exact integer
// arithmetic, writing by integers where they suffice and by snprintf, which
// must run in the C locale (the only one the WebAssembly build's C library
// has), beyond. The C library's strtod is not used: it works through long
// double, which WebAssembly emulates in software, and would make the core
// 14 KB larger.
#pragma once

#include <string>
#include <string_view>

namespace vorlaine::calc::c_library {

// The correctly rounded double of normalised digits such as "12345e-3":
// infinity when they overflow, zero or a subnormal when they underflow.
double read_digits(const char* text);

// `prefix` (at most 8 characters), then `value` with `digits` significant
// digits in printf's %g form, exponent letter in capitals ("1.234568E+07").
std::string write_general(double value, int digits, std::string_view prefix = {});

} // namespace vorlaine::calc::c_library
