// The two ways the core converts numbers, side by side: std::from_chars and
// std::to_chars on the desktop, the C library's strtod and snprintf in the
// WebAssembly build. Any value where they part shows up here as a failure.
#include "c_locale.h"
#include "calc/c_number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace {

using vorlaine::calc::c_library::read_digits;
using vorlaine::calc::c_library::write_general;

// snprintf follows the thread's locale; the WebAssembly C library has only "C".
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(vorlaine::testing::c_locale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

template <typename T> std::string with_to_chars(T value, int digits) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    std::string out(buf, r.ptr);
    for (char& c : out)
        if (c == 'e')
            c = 'E';
    return out;
}

// What the desktop path makes of normalised digits: nothing on overflow, zero
// below the smallest double.
double with_from_chars(const std::string& text, bool& overflow) {
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    overflow = false;
    if (r.ec == std::errc::result_out_of_range) {
        overflow = text.find("e-") == std::string::npos;
        return 0.0;
    }
    return value;
}

void expect_same_reading(const std::string& text) {
    bool overflow = false;
    const double desktop = with_from_chars(text, overflow);
    const double web = read_digits(text.c_str());
    if (overflow)
        EXPECT_TRUE(std::isinf(web)) << text;
    else
        EXPECT_EQ(std::bit_cast<std::uint64_t>(desktop), std::bit_cast<std::uint64_t>(web)) << text;
}

} // namespace

TEST(NumberPaths, WriteTheSameDigitsForDoublesAndFloats) {
    const CLocaleScope c_locale;
    std::mt19937_64 rng(20261208);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_real_distribution<double> everyday(-1e6, 1e6);
    std::uniform_real_distribution<double> decade(-45, 45);
    for (int i = 0; i < 200000; ++i) {
        const double any = std::bit_cast<double>(bits(rng));
        const auto any_float = std::bit_cast<float>(static_cast<std::uint32_t>(bits(rng)));
        const double usual = everyday(rng);
        // Every size the window shows, across the limits of the integer path.
        const double sized = std::pow(10.0, decade(rng));
        for (float f : {static_cast<float>(sized), static_cast<float>(-sized)}) {
            if (std::isfinite(f) && f != 0) {
                ASSERT_EQ(write_general(f, 7), with_to_chars(f, 7)) << f;
            }
        }
        for (double d : {any, usual, sized, std::round(usual), sized * 1e-9}) {
            if (!std::isfinite(d))
                continue;
            ASSERT_EQ(write_general(d, 15), with_to_chars(d, 15)) << d;
        }
        if (std::isfinite(any_float)) {
            ASSERT_EQ(write_general(any_float, 7), with_to_chars(any_float, 7)) << any_float;
        }
        const auto usual_float = static_cast<float>(usual);
        ASSERT_EQ(write_general(usual_float, 7), with_to_chars(usual_float, 7)) << usual_float;
    }
}

TEST(NumberPaths, WriteTheSameDigitsAtTheEdges) {
    const CLocaleScope c_locale;
    // Ties at the last kept digit, the ends of the ranges, the switch between
    // plain and exponent form.
    const double doubles[] = {0.5,
                              1e15,
                              1e16,
                              999999999999999.5,
                              123456789012345.5,
                              1e-5,
                              1e-4,
                              9.5e-5,
                              2.5,
                              0.125,
                              5e-324,
                              2.2250738585072014e-308,
                              std::numeric_limits<double>::max(),
                              -0.1,
                              -1e100,
                              1.0000000000000002,
                              4.35,
                              0.15,
                              1.15e-7};
    for (double d : doubles)
        EXPECT_EQ(write_general(d, 15), with_to_chars(d, 15)) << d;
    const float floats[] = {0.5f,       1e7f,   1e8f,          9999999.5f,    1234567.5f,
                            1e-5f,      1e-4f,  1.401298e-45f, 3.4028235e38f, 1.1754944e-38f,
                            78.431373f, 2.675f, -12345678.0f};
    for (float f : floats)
        EXPECT_EQ(write_general(f, 7), with_to_chars(f, 7)) << f;
}

TEST(NumberPaths, ReadTheSameDoubleFromNormalisedDigits) {
    const CLocaleScope c_locale;
    // Halfway cases, long digit strings with a sticky last digit, subnormals,
    // and both sides of overflow and underflow.
    for (const char* text :
         {"9007199254740993e0", "9007199254740992999999999999999999e-18", "17976931348623157e292",
          "17976931348623158e292", "17976931348623159e292", "2e308", "1e309",
          "49406564584124654e-340", "24703282292062327e-340", "24703282292062328e-340", "7e-320",
          "1e-400", "22250738585072011e-324", "123456789012345678901234567890e-20", "1e23",
          "8589973e-7"})
        expect_same_reading(text);

    std::mt19937_64 rng(8122026);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<int> exponent(-360, 330);
    for (int i = 0; i < 100000; ++i) {
        std::string text(1, static_cast<char>('1' + digit(rng) % 9));
        for (int n = length(rng); n > 1; --n)
            text += static_cast<char>('0' + digit(rng));
        text += 'e' + std::to_string(exponent(rng));
        expect_same_reading(text);
        if (HasFailure())
            return;
    }
}
