#include "number_text.h"

#include "c_number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vorlaine::calc {
namespace {

// Walks the text the way Val reads it: blanks, tabs and line feeds are not there.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    char peek() {
        while (pos_ < text_.size() && is_ignored(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void next() { ++pos_; }

private:
    static bool is_ignored(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int digit_value(char c, int radix) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < radix ? v : -1;
}

// Gathers the bits of an integer of any length, keeping the 64 leading ones and
// a sticky bit for the rest, which is all a correctly rounded double needs.
class BitAccumulator {
public:
    void push(unsigned bits, int count) {
        for (int i = count - 1; i >= 0; --i)
            push_bit(((bits >> i) & 1U) != 0);
    }
    std::optional<double> value() const {
        if (length_ == 0)
            return 0.0;
        const std::uint64_t kept = sticky_ ? (top_ | 1U) : top_;
        const double scaled = std::ldexp(static_cast<double>(kept), dropped_);
        if (!std::isfinite(scaled))
            return std::nullopt;
        return scaled;
    }

private:
    void push_bit(bool bit) {
        if (length_ == 0 && !bit)
            return; // leading zeros carry nothing
        if (length_ < 64) {
            top_ = (top_ << 1) | (bit ? 1U : 0U);
            ++length_;
        } else {
            sticky_ = sticky_ || bit;
            if (dropped_ < 4096) // far beyond the double range already
                ++dropped_;
        }
    }

    std::uint64_t top_ = 0;
    int length_ = 0;
    int dropped_ = 0;
    bool sticky_ = false;
};

std::optional<double> read_radix_integer(Reader& in, int radix, int bits_per_digit) {
    BitAccumulator acc;
    for (int d; (d = digit_value(in.peek(), radix)) >= 0; in.next())
        acc.push(static_cast<unsigned>(d), bits_per_digit);
    return acc.value();
}

// Every halfway point between two doubles has fewer significant decimal digits
// than this, so digits beyond it only matter as "some non-zero digit follows".
constexpr std::size_t kMaxDigits = 800;
// Beyond these decimal exponents a non-zero value is certainly out of range.
constexpr std::int64_t kExponentLimit = 100000;

// Every power of ten up to 1e22 is exactly a double.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

std::int64_t saturated_step(std::int64_t value, int digit) {
    if (value > kExponentLimit * 10)
        return value;
    return value * 10 + digit;
}

std::optional<double> read_decimal(Reader& in) {
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.next();
    }

    std::array<char, kMaxDigits + 1> digits; // only the first `count` are used
    std::size_t count = 0;
    bool sticky = false;
    std::int64_t exponent = 0; // of the last kept digit, before the written exponent
    bool seen_point = false;
    for (char c = in.peek();; c = in.peek()) {
        if (c == '.' && !seen_point) {
            seen_point = true;
        } else if (is_digit(c)) {
            if (count == 0 && c == '0') {
                if (seen_point)
                    exponent = std::max(exponent - 1, -kExponentLimit * 10);
            } else if (count < kMaxDigits) {
                digits[count++] = c;
                if (seen_point)
                    exponent = std::max(exponent - 1, -kExponentLimit * 10);
            } else {
                sticky = sticky || c != '0';
                if (!seen_point)
                    exponent = std::min(exponent + 1, kExponentLimit * 10);
            }
        } else {
            break;
        }
        in.next();
    }

    const char letter = in.peek();
    if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
        in.next();
        bool exp_negative = false;
        if (in.peek() == '+' || in.peek() == '-') {
            exp_negative = in.peek() == '-';
            in.next();
        }
        std::int64_t written = 0;
        for (char c = in.peek(); is_digit(c); c = in.peek()) {
            written = saturated_step(written, c - '0');
            in.next();
        }
        exponent += exp_negative ? -written : written;
    }

    const double sign = negative ? -1.0 : 1.0;
    if (count == 0)
        return sign * 0.0;
    const std::int64_t leading = exponent + static_cast<std::int64_t>(count) - 1;
    if (leading > 400)
        return std::nullopt;
    if (leading < -400)
        return sign * 0.0;
    if (!sticky && count <= 15 && exponent >= -22 && exponent <= 22) {
        // The common case: the digits and the power of ten are both exact
        // doubles, so one multiplication or division rounds correctly.
        std::uint64_t mantissa = 0;
        for (std::size_t i = 0; i < count; ++i)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(digits[i] - '0');
        const double scale = kExactPowersOfTen[static_cast<std::size_t>(std::abs(exponent))];
        const auto m = static_cast<double>(mantissa);
        return sign * (exponent < 0 ? m / scale : m * scale);
    }
    if (sticky) {
        digits[count++] = '1'; // stands for the non-zero digits dropped
        --exponent;
    }

    std::array<char, kMaxDigits + 32> text;
    char* end = text.data();
    for (std::size_t i = 0; i < count; ++i)
        *end++ = digits[i];
    *end++ = 'e';
    end = std::to_chars(end, text.data() + text.size(), exponent).ptr;

#if defined(__cpp_lib_to_chars) && !defined(VORLAINE_C_NUMBER_TEXT)
    // from_chars never looks at the locale, which the desktop program needs.
    double value = 0;
    if (std::from_chars(text.data(), end, value).ec == std::errc::result_out_of_range) {
        if (leading > 0)
            return std::nullopt;
        value = 0.0; // below the smallest double
    }
#else
    *end = '\0';
    const double value = c_library::read_digits(text.data());
    if (std::isinf(value))
        return std::nullopt;
#endif
    return sign * value;
}

template <typename T> std::string format_with_digits(T value, int digits) {
    if (value == 0)
        return " 0"; // negative zero too: no sign is written for zero
#if !defined(__cpp_lib_to_chars) || defined(VORLAINE_C_NUMBER_TEXT)
    return c_library::write_general(value, digits, value < 0 ? "" : " ");
#else
    std::array<char, 64> buf{};
    char* first = buf.data();
    if (!(value < 0))
        *first++ = ' ';
    const auto result =
        std::to_chars(first, buf.data() + buf.size(), value, std::chars_format::general, digits);
    for (char* p = first; p != result.ptr; ++p)
        if (*p == 'e')
            *p = 'E';
    return std::string(buf.data(), result.ptr);
#endif
}

} // namespace

std::optional<double> parse_number(std::string_view text) {
    Reader in(text);
    if (in.peek() == '&') {
        in.next();
        const char prefix = in.peek();
        if (prefix == 'H' || prefix == 'h') {
            in.next();
            return read_radix_integer(in, 16, 4);
        }
        if (prefix == 'O' || prefix == 'o') {
            in.next();
            return read_radix_integer(in, 8, 3);
        }
        return 0.0;
    }
    return read_decimal(in);
}

std::string format_number(float value) {
    return format_with_digits(value, std::numeric_limits<float>::digits10 + 1);
}

std::string format_number(double value) {
    return format_with_digits(value, std::numeric_limits<double>::digits10);
}

} // namespace vorlaine::calc
