// The C library's own conversions, pinned to the C locale, as references that
// do not follow the locale the tests run under.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace vorlaine::testing {

inline locale_t c_locale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

// glibc's strtod is correctly rounded.
inline double c_strtod(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, c_locale());
}

// The value rounded to `digits` significant digits, the printf way.
inline double c_rounded(double value, int digits) {
    const locale_t previous = uselocale(c_locale());
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    uselocale(previous);
    return c_strtod(text);
}

} // namespace vorlaine::testing
