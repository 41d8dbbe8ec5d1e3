// Numbers for the load list and the module plan, kept as decimal digits: a
// battery's volts must divide the system's exactly as the person reads them,
// with no binary rounding in between.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlaine::loads {

// digits × 10^exponent, trailing zeros moved into the exponent.
struct Decimal {
    std::uint64_t digits = 0;
    int exponent = 0;

    double value() const;
    // Plain decimal, no exponent, no trailing zeros: "0.25", "4800".
    std::string text() const;
    // Rounded half up to at most `places` decimals.
    Decimal rounded(int places) const;
    bool operator==(const Decimal&) const = default;
};

enum class Reading { number, empty, not_a_number };

struct TypedNumber {
    Reading reading = Reading::empty;
    bool negative = false;
    Decimal magnitude;
    double value = 0; // signed, correctly rounded
};

// Reads a cell as people type it: digits of either width, '.', '。' or '．'
// as the decimal point, an optional sign, blanks of either width around it.
TypedNumber read_typed_number(std::string_view text);

// Reads a number as the window writes it (" 6.197047E+09", " 24"); nothing
// for a negative or unreadable text.
std::optional<Decimal> read_written_number(std::string_view text);

// The shortest decimal that reads back as exactly `value` (finite, >= 0).
std::optional<Decimal> shortest_decimal(double value);

// Whether a ÷ b is a whole number; ⌈a ÷ b⌉, nothing when b is zero or the
// count is beyond what a plan can sensibly list.
bool divides_exactly(Decimal a, Decimal b);
std::optional<std::uint64_t> ceiling_quotient(Decimal a, Decimal b);
std::optional<Decimal> times(Decimal a, std::uint64_t count);

} // namespace vorlaine::loads
