// Storing an intermediate result the way the calculation keeps it.
#pragma once

#include <cmath>
#include <optional>

namespace vorlaine::calc {

// Rounds a double result to the float it is stored as. A result that is not a
// finite float (an invalid operation, a division by zero, an overflow of either
// precision) is a fault and yields nothing.
inline std::optional<float> store_single(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const auto stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        return std::nullopt;
    return stored;
}

inline std::optional<double> store_double(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace vorlaine::calc
