#include "reference_numbers.h"

#include <cstdio>
#include <cstdlib>

namespace vorlaine::fuzz {
namespace {

double c_read(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

bool is_hex_digit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool is_octal_digit(char c) {
    return c >= '0' && c <= '7';
}

template <typename Pred> std::string_view leading_run(std::string_view text, Pred pred) {
    std::size_t n = 0;
    while (n < text.size() && pred(text[n]))
        ++n;
    return text.substr(0, n);
}

// The C library reads hexadecimal but not octal, so the octal digits are
// regrouped from three bits to four.
std::string octal_as_hex(std::string_view octal) {
    std::string bits;
    for (const char c : octal) {
        const int d = c - '0';
        for (int b = 2; b >= 0; --b)
            bits += ((d >> b) & 1) != 0 ? '1' : '0';
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int nibble = 0;
        for (std::size_t j = 0; j < 4; ++j)
            nibble = nibble * 2 + (bits[i + j] - '0');
        hex += "0123456789abcdef"[nibble];
    }
    return hex;
}

} // namespace

double rounded_to_digits(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return c_read(buf);
}

std::optional<double> reference_reading(std::string_view text) {
    if (!text.empty() && text[0] == '&') {
        const char prefix = text.size() > 1 ? text[1] : '\0';
        const std::string_view rest = text.size() > 1 ? text.substr(2) : std::string_view{};
        if (prefix == 'H' || prefix == 'h')
            return c_read("0x" + std::string(leading_run(rest, is_hex_digit)));
        if (prefix == 'O' || prefix == 'o')
            return c_read("0x" + octal_as_hex(leading_run(rest, is_octal_digit)));
        return 0.0;
    }
    // Only characters whose meaning Val and strtod share; strtod would also take
    // "inf", "nan", "0x..." and other blanks, Val takes a D exponent.
    if (text.find_first_not_of("0123456789.eE+-") != std::string_view::npos)
        return std::nullopt;
    return c_read(std::string(text));
}

std::string without_skipped(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            out += c;
    return out;
}

} // namespace vorlaine::fuzz
