#include "number_shape.h"

namespace vorlaine::fuzz {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string number_shape_fault(std::string_view text, int max_digits) {
    if (text.size() < 2)
        return "too short";
    if (text[0] != ' ' && text[0] != '-')
        return "does not start with a blank or a minus sign";
    if (text == " 0")
        return {};

    const std::string_view body = text.substr(1);
    const std::size_t e = body.find('E');
    const std::string_view mantissa = body.substr(0, e);
    int significant = 0;
    bool seen_point = false;
    bool leading = true;
    for (const char c : mantissa) {
        if (c == '.') {
            if (seen_point)
                return "two periods";
            seen_point = true;
        } else if (is_digit(c)) {
            leading = leading && c == '0';
            if (!leading)
                ++significant;
        } else {
            return "a character other than a digit or period in the mantissa";
        }
    }
    if (significant == 0)
        return "no significant digit in a non-zero number";
    if (significant > max_digits)
        return "more significant digits than the precision holds";
    if (seen_point && (mantissa.back() == '0' || mantissa.back() == '.'))
        return "trailing zero or period in the fraction";

    if (e != std::string_view::npos) {
        const std::string_view exponent = body.substr(e + 1);
        if (exponent.size() < 2 || (exponent[0] != '+' && exponent[0] != '-'))
            return "exponent without a sign and digits";
        for (const char c : exponent.substr(1))
            if (!is_digit(c))
                return "a character other than a digit in the exponent";
    }
    return {};
}

} // namespace vorlaine::fuzz
