// Arbitrary bytes read as a number: the reading must be finite or an overflow,
// agree with the C library where both read the text alike, and the number must
// print and read back at double precision.
#include "calc/number_text.h"
#include "fuzz_check.h"
#include "number_shape.h"
#include "reference_numbers.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace vorlaine;

namespace {

std::string shown(const std::optional<double>& v) {
    return v ? fuzz::describe(*v) : std::string("overflow");
}

bool same_bits(const std::optional<double>& a, const std::optional<double>& b) {
    if (!a || !b)
        return !a && !b;
    return std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
}

// What a reference value means for parse_number: infinite is an overflow.
bool matches_reference(const std::optional<double>& got, double expected) {
    if (std::isinf(expected))
        return !got;
    return got && *got == expected;
}

void check_round_trip(double value) {
    const std::string text = calc::format_number(value);
    const std::string shape = fuzz::number_shape_fault(text, 15);
    if (!shape.empty())
        fuzz::fail("format_number(double) writes a well-formed number",
                   shape + ": " + fuzz::quoted(text) + " for " + fuzz::describe(value));
    const std::optional<double> back = calc::parse_number(text);
    const double expected = fuzz::rounded_to_digits(value, 15);
    if (!matches_reference(back, expected))
        fuzz::fail("the printed text reads back as the value rounded to 15 digits",
                   fuzz::quoted(text) + " read " + shown(back) + ", expected " +
                       fuzz::describe(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = calc::parse_number(text);
    if (value && !std::isfinite(*value))
        fuzz::fail("a reading is finite or an overflow", fuzz::describe(*value));

    // Blanks, tabs and line feeds are skipped wherever they stand.
    const std::string compact = fuzz::without_skipped(text);
    const std::optional<double> compact_value = calc::parse_number(compact);
    if (!same_bits(value, compact_value))
        fuzz::fail("skipped characters do not change the reading",
                   fuzz::quoted(text) + " read " + shown(value) + " but without blanks " +
                       shown(compact_value));

    if (const std::optional<double> expected = fuzz::reference_reading(compact))
        if (!matches_reference(value, *expected))
            fuzz::fail("the reading agrees with strtod", fuzz::quoted(compact) + " read " +
                                                             shown(value) + ", strtod gives " +
                                                             fuzz::describe(*expected));

    if (value)
        check_round_trip(*value);
    return 0;
}
