// Choice of the battery (system) voltage, the panel voltage and the efficiency
// factor, from the load voltage and power.
#pragma once

#include <optional>

namespace vorlaine::calc {

struct VoltageChoice {
    float system_voltage = 0;
    float panel_voltage = 0;
};

// With an inverter: the AC load voltage must lie strictly between 210 and 230
// and the power must not exceed 2000 W; the power class gives the voltages.
std::optional<VoltageChoice> select_inverter_voltage(float load_voltage, float load_power);

// Without an inverter: the DC load voltage must fall into one of nine bands.
std::optional<VoltageChoice> select_dc_voltage(float load_voltage);

} // namespace vorlaine::calc
