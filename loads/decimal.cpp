#include "decimal.h"

#include "calc/c_number_text.h"
#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace vorlaine::loads {
namespace {

__extension__ typedef unsigned __int128 Wide;
constexpr std::uint64_t kMostCount = 1'000'000'000;
constexpr int kMostDigits = 18;
constexpr int kMostExponent = 60;

Decimal normalised(std::uint64_t digits, int exponent) {
    if (digits == 0)
        return {};
    while (digits % 10 == 0) {
        digits /= 10;
        ++exponent;
    }
    return {digits, exponent};
}

// The code of the character at `at`, which it steps past; 0 on a broken one.
char32_t next_character(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    std::size_t length = first < 0x80 ? 1 : (first >> 5) == 6 ? 2 : (first >> 4) == 14 ? 3 : 4;
    length = std::min(length, text.size() - at);
    char32_t code = length == 1 ? first : first & (0x3fu >> (length - 1));
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (byte(at + i) & 0x3f);
    at += length;
    return code;
}

bool is_blank(char32_t c) {
    return c == ' ' || c == '\t' || c == U'\u3000';
}

// Both numbers over one exponent; nothing when that does not fit.
std::optional<std::pair<Wide, Wide>> aligned(Decimal a, Decimal b) {
    const int exponent = std::min(a.exponent, b.exponent);
    Wide x = a.digits;
    Wide y = b.digits;
    const Wide limit = ~Wide{0} / 10;
    for (int i = exponent; i < a.exponent; ++i, x *= 10)
        if (x > limit)
            return std::nullopt;
    for (int i = exponent; i < b.exponent; ++i, y *= 10)
        if (y > limit)
            return std::nullopt;
    return std::pair{x, y};
}

std::optional<std::uint64_t> count_of(Wide count) {
    if (count > kMostCount)
        return std::nullopt;
    return static_cast<std::uint64_t>(count);
}

} // namespace

double Decimal::value() const {
    const std::string text = std::to_string(digits) + "E" + std::to_string(exponent);
    return calc::parse_number(text).value_or(HUGE_VAL);
}

std::string Decimal::text() const {
    std::string out = std::to_string(digits);
    if (digits == 0)
        return out;
    if (exponent >= 0)
        return out.append(static_cast<std::size_t>(exponent), '0');
    const std::size_t places = static_cast<std::size_t>(-exponent);
    if (out.size() <= places)
        out.insert(0, places - out.size() + 1, '0');
    out.insert(out.size() - places, 1, '.');
    return out;
}

Decimal Decimal::rounded(int places) const {
    if (exponent >= -places)
        return normalised(digits, exponent);
    std::uint64_t kept = digits;
    int dropped = -places - exponent;
    if (dropped > 19)
        return {};
    std::uint64_t last = 0;
    for (; dropped > 0; --dropped) {
        last = kept % 10;
        kept /= 10;
    }
    // Half up: only the first dropped digit decides, the others lie below it.
    return normalised(kept + (last >= 5 ? 1 : 0), -places);
}

TypedNumber read_typed_number(std::string_view text) {
    std::string ascii;
    bool seen_point = false;
    bool seen_digit = false;
    bool seen_sign = false;
    bool negative = false;
    bool trailing_blanks = false;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = next_character(text, at);
        if (is_blank(c)) {
            trailing_blanks = !ascii.empty() || seen_sign;
            continue;
        }
        if (trailing_blanks)
            return {Reading::not_a_number, false, {}, 0};
        if ((c == '-' || c == U'－' || c == '+' || c == U'＋') && !seen_sign && ascii.empty()) {
            seen_sign = true;
            negative = c == '-' || c == U'－';
        } else if (c >= '0' && c <= '9') {
            ascii += static_cast<char>(c);
            seen_digit = true;
        } else if (c >= U'０' && c <= U'９') {
            ascii += static_cast<char>('0' + (c - U'０'));
            seen_digit = true;
        } else if ((c == '.' || c == U'。' || c == U'．') && !seen_point) {
            ascii += '.';
            seen_point = true;
        } else {
            return {Reading::not_a_number, false, {}, 0};
        }
    }
    if (!seen_digit)
        return {ascii.empty() && !seen_sign ? Reading::empty : Reading::not_a_number, false, {}, 0};

    std::uint64_t digits = 0;
    int exponent = 0;
    int significant = 0;
    bool after_point = false;
    for (const char c : ascii) {
        if (c == '.') {
            after_point = true;
            continue;
        }
        if (digits == 0 && c == '0') {
            exponent -= after_point ? 1 : 0;
            continue;
        }
        if (++significant > kMostDigits)
            return {Reading::not_a_number, false, {}, 0};
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        exponent -= after_point ? 1 : 0;
    }
    TypedNumber number{Reading::number, negative, normalised(digits, exponent), 0};
    number.value = (negative ? -1 : 1) * number.magnitude.value();
    return number;
}

std::optional<Decimal> read_written_number(std::string_view text) {
    const std::size_t mark = text.find_first_of("Ee");
    TypedNumber mantissa = read_typed_number(text.substr(0, mark));
    if (mantissa.reading != Reading::number || mantissa.negative)
        return std::nullopt;
    if (mark == std::string_view::npos)
        return mantissa.magnitude;
    std::string_view power = text.substr(mark + 1);
    if (!power.empty() && power.front() == '+')
        power.remove_prefix(1);
    int exponent = 0;
    const auto [end, error] = std::from_chars(power.data(), power.data() + power.size(), exponent);
    // A float's caption never goes beyond E+38; what does is no result.
    if (error != std::errc() || end != power.data() + power.size() || power.empty() ||
        exponent > kMostExponent || exponent < -kMostExponent)
        return std::nullopt;
    if (mantissa.magnitude.digits == 0)
        return Decimal{};
    return Decimal{mantissa.magnitude.digits, mantissa.magnitude.exponent + exponent};
}

std::optional<Decimal> shortest_decimal(double value) {
    if (!std::isfinite(value) || value < 0)
        return std::nullopt;
#if defined(__cpp_lib_to_chars) && !defined(VORLAINE_C_NUMBER_TEXT)
    // to_chars never looks at the locale, and its shortest form reads back.
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    return read_written_number(std::string_view(buffer.data(), result.ptr));
#else
    for (int digits = 1; digits <= 17; ++digits) {
        const std::optional<Decimal> decimal =
            read_written_number(calc::c_library::write_general(value, digits));
        if (decimal && decimal->value() == value)
            return decimal;
    }
    return std::nullopt;
#endif
}

bool divides_exactly(Decimal a, Decimal b) {
    const auto pair = aligned(a, b);
    return pair && pair->second != 0 && pair->first % pair->second == 0;
}

std::optional<std::uint64_t> ceiling_quotient(Decimal a, Decimal b) {
    const auto pair = aligned(a, b);
    if (!pair || pair->second == 0)
        return std::nullopt;
    return count_of((pair->first + pair->second - 1) / pair->second);
}

std::optional<Decimal> times(Decimal a, std::uint64_t count) {
    const Wide product = Wide{a.digits} * count;
    if (product > ~std::uint64_t{0})
        return std::nullopt;
    return normalised(static_cast<std::uint64_t>(product), a.exponent);
}

} // namespace vorlaine::loads
