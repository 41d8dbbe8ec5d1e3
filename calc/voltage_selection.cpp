#include "voltage_selection.h"

#include <array>

namespace vorlaine::calc {
namespace {

// Every bound is a float so that a typed end value lands exactly on its end.
struct PowerClass {
    float max_power;
    VoltageChoice choice;
};

constexpr std::array<PowerClass, 4> kPowerClasses{{
    {45.0f, {6.0f, 7.5f}},
    {350.0f, {12.0f, 18.0f}},
    {1000.0f, {24.0f, 36.0f}},
    {2000.0f, {48.0f, 72.0f}},
}};

struct VoltageBand {
    float low;
    float high;
    VoltageChoice choice;
};

constexpr std::array<VoltageBand, 9> kDcBands{{
    {0.7f, 1.3f, {1.2f, 2.0f}},
    {2.0f, 2.6f, {2.4f, 4.0f}},
    {3.3f, 3.8f, {3.6f, 5.5f}},
    {5.6f, 6.5f, {6.0f, 7.5f}},
    {7.0f, 7.5f, {7.2f, 10.5f}},
    {11.5f, 12.5f, {12.0f, 18.0f}},
    {23.0f, 25.0f, {24.0f, 36.0f}},
    {35.0f, 37.0f, {36.0f, 54.0f}},
    {47.0f, 49.0f, {48.0f, 72.0f}},
}};

constexpr float kInverterLow = 210.0f;
constexpr float kInverterHigh = 230.0f;

} // namespace

std::optional<VoltageChoice> select_inverter_voltage(float load_voltage, float load_power) {
    if (!(load_voltage > kInverterLow && load_voltage < kInverterHigh))
        return std::nullopt;
    for (const PowerClass& c : kPowerClasses)
        if (load_power <= c.max_power)
            return c.choice;
    return std::nullopt;
}

std::optional<VoltageChoice> select_dc_voltage(float load_voltage) {
    for (const VoltageBand& band : kDcBands)
        if (band.low <= load_voltage && load_voltage <= band.high)
            return band.choice;
    return std::nullopt;
}

} // namespace vorlaine::calc
