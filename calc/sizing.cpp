#include "sizing.h"

#include "notices.h"
#include "number_text.h"
#include "sizing_inputs.h"
#include "stored.h"
#include "voltage_selection.h"

namespace vorlaine::calc {
namespace {

// Collects the effects of one calculation; every early return leaves the
// effects gathered so far, which is how a stop keeps the captions written.
class Effects {
public:
    Effects() { list_.reserve(6); } // the most one calculation lists
    void notice(std::string_view text, std::string_view title) {
        list_.push_back(Notice{std::string(text), std::string(title)});
    }
    void fault() { list_.push_back(arithmetic_fault_notice()); }
    void caption(std::string_view label, std::string text) {
        list_.push_back(CaptionWrite{std::string(label), std::move(text)});
    }
    std::vector<Effect> take() { return std::move(list_); }

private:
    std::vector<Effect> list_;
};

// Battery capacity and panel power, written label by label; stops at the first
// arithmetic fault with the labels already written left as they are.
void size_battery_and_array(const SizingInputs& in, VoltageChoice voltages, float efficiency,
                            const std::string& latitude_text, Effects& out) {
    const double S = voltages.system_voltage;
    const double Vp = voltages.panel_voltage;

    const std::optional<float> current = store_single(in.load_power / S);
    if (!current)
        return out.fault();
    const std::optional<float> daily_charge =
        store_single(*current * in.daily_hours / double{in.charge_efficiency} / double{efficiency});
    if (!daily_charge)
        return out.fault();
    const double rain_factor = double{in.rainy_days} / double{in.rainy_interval} + 1;
    const std::optional<double> panel_product =
        store_double(rain_factor * (double{*daily_charge} / double{in.sunshine}));
    if (!panel_product)
        return out.fault();
    const std::optional<float> panel_current = store_single(*panel_product * 1.02);
    if (!panel_current)
        return out.fault();

    out.caption("Label12", format_number(voltages.system_voltage) + "V");
    out.caption("Label8", format_number(voltages.panel_voltage) + "V");

    const std::optional<float> capacity = store_single(
        (double{in.rainy_days} + 1) * double{*daily_charge} / double{in.depth_of_discharge});
    if (!capacity)
        return out.fault();
    out.caption("Label9", format_number(*capacity) + "Ah");

    const std::optional<float> power = store_single(double{*panel_current} * Vp);
    if (!power)
        return out.fault();
    out.caption("Label13", format_number(*power) + "W");
    out.caption("Label15", std::string(latitude_text).append(kAngleUnit));
}

} // namespace

Notice arithmetic_fault_notice() {
    return Notice{std::string(notices::arithmetic_fault), std::string(notices::error_title)};
}

std::vector<Effect> calculate(const WindowInputs& window) {
    Effects out;
    if (missing_required_text(window)) {
        out.notice(notices::invalid_input, notices::error_title);
        return out.take();
    }
    std::optional<SizingInputs> in = read_inputs(window);
    if (!in) {
        out.fault();
        return out.take();
    }
    const std::optional<float> sunshine = effective_sunshine(in->sunshine, window.sunshine);
    if (!sunshine) {
        out.fault();
        return out.take();
    }
    in->sunshine = *sunshine;
    if (in->rainy_interval == 0) {
        out.notice(notices::zero_interval, notices::error_title);
        return out.take();
    }

    const bool inverter = window.check2 != 0;
    const std::optional<VoltageChoice> voltages =
        inverter ? select_inverter_voltage(in->load_voltage, in->load_power)
                 : select_dc_voltage(in->load_voltage);
    if (!voltages) {
        out.notice(notices::out_of_range, notices::hint_title);
        return out.take();
    }
    if (inverter)
        out.notice(notices::inverter_advice, notices::hint_title);
    const float efficiency = inverter ? in->inverter_efficiency : 1.0f;

    size_battery_and_array(*in, *voltages, efficiency, window.text(10), out);
    return out.take();
}

std::optional<std::string> rainy_interval_text(std::string_view rainy_days_text) {
    const std::optional<double> days = parse_number(rainy_days_text);
    if (!days)
        return std::nullopt;
    const std::optional<double> interval = store_double(*days * 5);
    if (!interval)
        return std::nullopt;
    return format_number(*interval);
}

std::vector<Effect> rainy_days_changed(std::string_view rainy_days_text) {
    std::optional<std::string> interval = rainy_interval_text(rainy_days_text);
    if (!interval)
        return {arithmetic_fault_notice()};
    return {CaptionWrite{std::string(kRainyIntervalBox), std::move(*interval)}};
}

} // namespace vorlaine::calc
