// Writing numbers the way the window shows them.
#include "c_locale.h"
#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

using vorlaine::calc::format_number;
using vorlaine::calc::parse_number;

TEST(FormatNumber, SignBlankAndWholeNumbers) {
    EXPECT_EQ(format_number(5.0), " 5");
    EXPECT_EQ(format_number(12.0f), " 12");
    EXPECT_EQ(format_number(7.5), " 7.5");
    EXPECT_EQ(format_number(-1.5), "-1.5");
    EXPECT_EQ(format_number(-1.5f), "-1.5");
    EXPECT_EQ(format_number(0.0), " 0");
    EXPECT_EQ(format_number(-0.0), " 0");
    EXPECT_EQ(format_number(-0.0f), " 0");
    EXPECT_EQ(format_number(0.5), " 0.5");
}

TEST(FormatNumber, SinglePrecisionKeepsSevenDigits) {
    EXPECT_EQ(format_number(2.4f), " 2.4");
    EXPECT_EQ(format_number(1.2f), " 1.2");
    EXPECT_EQ(format_number(78.431373f), " 78.43137");
    EXPECT_EQ(format_number(1234567.0f), " 1234567");
    EXPECT_EQ(format_number(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(format_number(9999999.0f), " 9999999");
    EXPECT_EQ(format_number(0.0001f), " 0.0001");
    EXPECT_EQ(format_number(0.00001f), " 1E-05");
    EXPECT_EQ(format_number(3.4028235e38f), " 3.402823E+38");
    EXPECT_EQ(format_number(1e-45f), " 1.401298E-45");
}

TEST(FormatNumber, DoublePrecisionKeepsFifteenDigits) {
    EXPECT_EQ(format_number(0.1 + 0.2), " 0.3");
    EXPECT_EQ(format_number(2.4f * 1.0), " 2.40000009536743");
    EXPECT_EQ(format_number(123456789012345.0), " 123456789012345");
    EXPECT_EQ(format_number(1e15), " 1E+15");
    EXPECT_EQ(format_number(-1e300), "-1E+300");
    EXPECT_EQ(format_number(4.9406564584124654e-324), " 4.94065645841247E-324");
}

TEST(FormatNumber, IgnoresTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(format_number(7.5), " 7.5");
    EXPECT_EQ(format_number(78.431373f), " 78.43137");
    std::setlocale(LC_ALL, saved.c_str());
}

// printf and strtod are an independent way of rounding a value to a number of
// significant digits.
using vorlaine::testing::c_rounded;

TEST(FormatNumber, ReadsBackAsTheValueRoundedToItsPrecision) {
    EXPECT_EQ(parse_number(format_number(5.0)), 5.0);
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d)) {
            EXPECT_EQ(parse_number(format_number(d)), c_rounded(d, 15)) << format_number(d);
        }
        const auto bits32 = static_cast<std::uint32_t>(bits >> 32);
        float f;
        std::memcpy(&f, &bits32, sizeof f);
        if (std::isfinite(f)) {
            EXPECT_EQ(parse_number(format_number(f)), c_rounded(f, 7)) << format_number(f);
        }
    }
}
