// Reporting a broken property from inside a fuzz target.
#pragma once

#include <string>
#include <string_view>

namespace vorlaine::fuzz {

// Prints what broke and aborts, so that libFuzzer keeps the input as a crash.
[[noreturn]] void fail(std::string_view property, const std::string& detail);

// The bytes of `text` as a C string literal, to show inputs that are not printable.
std::string quoted(std::string_view text);

// The exact bits of a double, to tell apart values that print alike.
std::string describe(double value);

} // namespace vorlaine::fuzz
