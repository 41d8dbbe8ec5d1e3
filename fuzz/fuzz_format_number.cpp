// Every finite float and double bit pattern in the input is written as the
// window shows it and read back; the text must be well formed and read as the
// value rounded to the precision it was written at.
#include "calc/number_text.h"
#include "fuzz_check.h"
#include "number_shape.h"
#include "reference_numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

using namespace vorlaine;

namespace {

template <typename T> void check_written(T value, int digits) {
    const std::string text = calc::format_number(value);
    const std::string what = fuzz::quoted(text) + " for " + fuzz::describe(double{value});

    if (value == 0 && text != " 0") // negative zero included
        fuzz::fail("zero is written as \" 0\"", what);
    if (value > 0 && text[0] != ' ')
        fuzz::fail("a positive value starts with one blank", what);
    if (value < 0 && text[0] != '-')
        fuzz::fail("a negative value starts with a minus sign", what);
    if (const std::string shape = fuzz::number_shape_fault(text, digits); !shape.empty())
        fuzz::fail("format_number writes a well-formed number", shape + ": " + what);

    const std::optional<double> back = calc::parse_number(text);
    const double expected = fuzz::rounded_to_digits(double{value}, digits);
    const bool agrees = std::isinf(expected) ? !back : (back && *back == expected);
    if (!agrees)
        fuzz::fail("the text reads back as the value rounded to its precision",
                   what + " read " + (back ? fuzz::describe(*back) : "overflow") + ", expected " +
                       fuzz::describe(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
        double d;
        std::memcpy(&d, data + at, sizeof d);
        if (std::isfinite(d))
            check_written(d, 15);
    }
    for (std::size_t at = 0; at + sizeof(float) <= size; at += sizeof(float)) {
        float f;
        std::memcpy(&f, data + at, sizeof f);
        if (std::isfinite(f))
            check_written(f, 7);
    }
    return 0;
}
