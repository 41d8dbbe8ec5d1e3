#include "c_number_text.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace vorlaine::calc::c_library {

double read_digits(const char* text) {
    return std::strtod(text, nullptr);
}

std::string write_general(double value, int digits) {
    std::array<char, 64> buf{};
    const int length = std::snprintf(buf.data(), buf.size(), "%.*g", digits, value);
    std::string out(buf.data(), static_cast<std::size_t>(length > 0 ? length : 0));
    for (char& c : out)
        if (c == 'e')
            c = 'E';
    return out;
}

} // namespace vorlaine::calc::c_library
