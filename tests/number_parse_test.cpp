// Reading numbers from the texts of the window.
#include "c_locale.h"
#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

using vorlaine::calc::parse_number;

namespace {

double parsed(std::string_view text) {
    const std::optional<double> v = parse_number(text);
    EXPECT_TRUE(v.has_value()) << "unexpected overflow for \"" << text << '"';
    return v.value_or(NAN);
}

double reference(const std::string& text) {
    return vorlaine::testing::c_strtod(text);
}

} // namespace

TEST(ParseNumber, ReadsTheLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(parsed(""), 0.0);
    EXPECT_EQ(parsed("abc"), 0.0);
    EXPECT_EQ(parsed("-3"), -3.0);
    EXPECT_EQ(parsed("+3"), 3.0);
    EXPECT_EQ(parsed("1.5e1"), 15.0);
    EXPECT_EQ(parsed("12V"), 12.0);
    EXPECT_EQ(parsed("1,200"), 1.0);
    EXPECT_EQ(parsed("1.2.3"), 1.2);
    EXPECT_EQ(parsed("1e5.5"), 1e5);
    EXPECT_EQ(parsed("12伏"), 12.0);
    EXPECT_EQ(parsed("伏12"), 0.0);
    EXPECT_EQ(parsed("\xff\xfe"
                     "12"),
              0.0);
    EXPECT_EQ(parsed(std::string("1\0"
                                 "2",
                                 3)),
              1.0);
}

TEST(ParseNumber, IgnoresBlanksTabsAndLineFeedsEverywhere) {
    EXPECT_EQ(parsed(" 0.85 "), 0.85);
    EXPECT_EQ(parsed("0.8 5"), 0.85);
    EXPECT_EQ(parsed("\t1\n2 "), 12.0);
    EXPECT_EQ(parsed(" - 3"), -3.0);
    EXPECT_EQ(parsed("1 e 2"), 100.0);
    // A carriage return is not a blank: it ends the number.
    EXPECT_EQ(parsed("1\r2"), 1.0);
    // Nor is a full-width blank or a full-width digit.
    EXPECT_EQ(parsed("1\u30002"), 1.0);
    EXPECT_EQ(parsed("\uff11"), 0.0);
}

TEST(ParseNumber, SignsAndPeriods) {
    EXPECT_EQ(parsed(".5"), 0.5);
    EXPECT_EQ(parsed("-.5"), -0.5);
    EXPECT_EQ(parsed("5."), 5.0);
    EXPECT_EQ(parsed("."), 0.0);
    EXPECT_EQ(parsed("-"), 0.0);
    EXPECT_EQ(parsed("--3"), 0.0);
    EXPECT_EQ(parsed("+-3"), 0.0);
    EXPECT_EQ(parsed("3-"), 3.0);
    EXPECT_TRUE(std::signbit(parsed("-0")));
}

TEST(ParseNumber, ExponentLettersSignsAndMissingDigits) {
    EXPECT_EQ(parsed("1E2"), 100.0);
    EXPECT_EQ(parsed("1e2"), 100.0);
    EXPECT_EQ(parsed("1D2"), 100.0);
    EXPECT_EQ(parsed("1d-2"), 0.01);
    EXPECT_EQ(parsed("1e+2"), 100.0);
    EXPECT_EQ(parsed("1e"), 1.0);
    EXPECT_EQ(parsed("1e+"), 1.0);
    EXPECT_EQ(parsed("1ex5"), 1.0);
    EXPECT_EQ(parsed("e5"), 0.0);
    EXPECT_EQ(parsed(".e5"), 0.0);
    EXPECT_EQ(parsed("0e999999"), 0.0);
}

TEST(ParseNumber, HexadecimalAndOctalIntegers) {
    EXPECT_EQ(parsed("&HFF"), 255.0);
    EXPECT_EQ(parsed("&hff"), 255.0);
    EXPECT_EQ(parsed("&O17"), 15.0);
    EXPECT_EQ(parsed("&o17"), 15.0);
    EXPECT_EQ(parsed("&H 1 0"), 16.0);
    EXPECT_EQ(parsed("&O18"), 1.0);
    EXPECT_EQ(parsed("&H1G"), 1.0);
    EXPECT_EQ(parsed("&H"), 0.0);
    EXPECT_EQ(parsed("&"), 0.0);
    EXPECT_EQ(parsed("&X1"), 0.0);
    EXPECT_EQ(parsed("-&H10"), 0.0);
    EXPECT_EQ(parsed("&H1.5"), 1.0);
    // 2^53 + 1 ties to even; 2^53 + 3 rounds up.
    EXPECT_EQ(parsed("&H20000000000001"), 9007199254740992.0);
    EXPECT_EQ(parsed("&H20000000000003"), 9007199254740996.0);
    // A tie broken by a set bit far below the kept ones.
    EXPECT_EQ(parsed("&H20000000000001" + std::string(40, '0') + "1"),
              std::ldexp(9007199254740994.0, 164));
    EXPECT_EQ(parsed("&O" + std::string(20, '7')), std::ldexp(1.0, 60));
    EXPECT_EQ(parsed("&H" + std::string(255, 'F')), std::ldexp(1.0, 1020));
    EXPECT_FALSE(parse_number("&H" + std::string(256, 'F')).has_value());
    EXPECT_FALSE(parse_number("&O1" + std::string(400, '0')).has_value());
    EXPECT_EQ(parsed("&H" + std::string(100000, '0') + "7"), 7.0);
}

TEST(ParseNumber, IsCorrectlyRounded) {
    const char* cases[] = {
        "0.1",
        "0.85",
        "2.4",
        "78.43137",
        "9007199254740993",
        "9007199254740993.0000000000000000000001",
        "2.2250738585072011e-308",
        "2.2250738585072012e-308",
        "4.9406564584124654e-324",
        "2e-324",
        "3e-324",
        "1e-310",
        "1.7976931348623157e308",
        "1.7976931348623158e308",
        "123456789012345678901234567890",
        "0.000000000000000000000000000000000000000000001",
        "1e22",
        "1e23",
        "8.589973e9",
    };
    for (const char* text : cases)
        EXPECT_EQ(parsed(text), reference(text)) << text;

    // A long run of digits, well past the point where only a sticky digit matters.
    const std::string halfway = "9007199254740993" + std::string(900, '0');
    EXPECT_EQ(parsed(halfway + "e-900"), 9007199254740992.0);
    EXPECT_EQ(parsed(halfway + "1e-901"), 9007199254740994.0);

    std::mt19937_64 rng(20261208);
    std::uniform_int_distribution<int> digit(0, 9), length(1, 40), exponent(-330, 310);
    // Short texts with small exponents, the ones typed every day, come first.
    std::uniform_int_distribution<int> short_length(1, 17), small_exponent(-30, 30);
    for (int i = 0; i < 10000; ++i) {
        const bool everyday = i < 5000;
        std::string text;
        for (int n = everyday ? short_length(rng) : length(rng); n > 0; --n)
            text += static_cast<char>('0' + digit(rng));
        text.insert(text.size() / 2, ".");
        text += "e" + std::to_string(everyday ? small_exponent(rng) : exponent(rng));
        const double want = reference(text);
        if (std::isinf(want))
            EXPECT_FALSE(parse_number(text).has_value()) << text;
        else
            EXPECT_EQ(parsed(text), want) << text;
    }
}

TEST(ParseNumber, OverflowIsReportedNotReturned) {
    EXPECT_FALSE(parse_number("1e309").has_value());
    EXPECT_FALSE(parse_number("-1e309").has_value());
    EXPECT_FALSE(parse_number("1.7976931348623159e308").has_value());
    EXPECT_EQ(parsed("1.7976931348623158e308"), DBL_MAX);
    EXPECT_EQ(parsed("1e-400"), 0.0);
}

TEST(ParseNumber, HugeTextsEndQuickly) {
    const std::string million(1000000, '9');
    EXPECT_FALSE(parse_number(million).has_value());
    EXPECT_FALSE(parse_number("1e" + million).has_value());
    EXPECT_EQ(parsed("1e-" + million), 0.0);
    EXPECT_EQ(parsed("0." + std::string(1000000, '0') + "1"), 0.0);
    EXPECT_EQ(parsed("1" + std::string(1000000, '0') + "e-1000000"), 1.0);
    EXPECT_EQ(parsed(std::string(1000000, ' ') + "7"), 7.0);
    EXPECT_EQ(parsed("0." + std::string(1000000, '3')), reference("0." + std::string(1000, '3')));
}

TEST(ParseNumber, IgnoresTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(parsed("1.5"), 1.5);
    EXPECT_EQ(parsed("1,5"), 1.0);
    std::setlocale(LC_ALL, saved.c_str());
}
