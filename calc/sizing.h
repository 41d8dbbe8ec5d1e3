// The sizing of a stand-alone solar power system, from the texts of the window
// to the effects one press of the compute button has on it.
#pragma once

#include "window_inputs.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vorlaine::calc {

struct SizingResults {
    float system_voltage = 0;
    float panel_voltage = 0;
    float battery_capacity = 0;
    float panel_power = 0;
    std::string installation_angle;
};

// A modal message box the user has to close.
struct Notice {
    std::string text; // lines are separated by a single carriage return
    std::string title;
    bool operator==(const Notice&) const = default;
};

// The unit written after the installation angle, the window's only Chinese
// unit; its label shows it alone until a calculation.
inline constexpr std::string_view kAngleUnit = "度";

// A new caption for one of the result labels, or a new text for a box.
struct CaptionWrite {
    std::string label; // the control's object name, e.g. "Label12"
    std::string text;
    bool operator==(const CaptionWrite&) const = default;
};

using Effect = std::variant<Notice, CaptionWrite>;

// The notice shown when the entered values lead to a division by zero or an
// overflow, wherever in the program that happens.
Notice arithmetic_fault_notice();

// Runs one calculation and lists its effects in the order they must be applied.
std::vector<Effect> calculate(const WindowInputs& inputs);

// The text the rainy-day interval box takes when the rainy-days box changes:
// five times the number of rainy days, or nothing when that overflows.
std::optional<std::string> rainy_interval_text(std::string_view rainy_days_text);

// The box a change of the rainy-days box rewrites.
inline constexpr std::string_view kRainyIntervalBox = "Text5";

// What a change of the rainy-days box does once the interval box is
// cleared: the box's new text, or the fault notice when it overflows.
std::vector<Effect> rainy_days_changed(std::string_view rainy_days_text);

} // namespace vorlaine::calc
