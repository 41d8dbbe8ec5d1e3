#include "sizing_inputs.h"

#include "number_text.h"
#include "stored.h"

namespace vorlaine::calc {

bool missing_required_text(const WindowInputs& inputs) {
    for (int box : kRequiredBoxes)
        if (inputs.text(box).empty())
            return true;
    return false;
}

std::optional<SizingInputs> read_inputs(const WindowInputs& inputs) {
    bool fault = false;
    const auto single = [&](int box) -> float {
        const std::optional<double> parsed = parse_number(inputs.text(box));
        const std::optional<float> stored = parsed ? store_single(*parsed) : std::nullopt;
        fault = fault || !stored;
        return stored.value_or(0.0f);
    };

    SizingInputs in;
    // The order in which the boxes are read.
    in.load_power = single(1);
    in.load_voltage = single(2);
    const std::optional<double> hours = parse_number(inputs.text(3));
    fault = fault || !hours;
    in.daily_hours = hours.value_or(0.0);
    in.rainy_days = single(4);
    in.rainy_interval = single(5);
    in.sunshine = single(9);
    in.depth_of_discharge = single(6);
    in.inverter_efficiency = single(7);
    in.charge_efficiency = single(8);
    if (fault)
        return std::nullopt;
    return in;
}

std::optional<float> effective_sunshine(float figure, std::optional<SunshineKind> kind) {
    const double typed = figure;
    switch (kind.value_or(SunshineKind::EffectiveHours)) {
    case SunshineKind::EffectiveHours:
        return figure;
    case SunshineKind::AverageHours:
        return store_single(typed * 0.65);
    case SunshineKind::DailyRadiation:
        return store_single(typed / 3600);
    case SunshineKind::AnnualRadiation:
        return store_single(typed / 3600 / 360);
    }
    return figure;
}

} // namespace vorlaine::calc
