#include "module_plan.h"

#include "decimal.h"
#include "design/load_texts.h"

#include "calc/number_text.h"

#include <optional>

namespace vorlaine::loads {
namespace texts = design::loads;
namespace {

constexpr double kMostModule = 100000;
constexpr std::size_t kFittingVoltages = 4;
constexpr std::uint64_t kMostDivisor = 1000;

std::string str(std::string_view s) {
    return std::string(s);
}

// A result's caption without its unit; nothing before a 计算 wrote it.
std::optional<Decimal> as_shown(std::string_view caption) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    while (!caption.empty() && letter(caption.back()))
        caption.remove_suffix(1);
    std::optional<Decimal> d = read_written_number(caption);
    if (!d || d->digits == 0)
        return std::nullopt;
    return d;
}

// The largest module voltages of at least 1 V that divide `system` a whole
// number of times, with no more decimals than it has (at least one).
std::string fitting_voltages(Decimal system) {
    if (system.exponent > 12 || system.digits > 10'000'000)
        return {}; // beyond any caption of a result: nothing sensible to name
    const int places = std::max(1, -system.exponent);
    std::uint64_t scaled = system.digits;
    for (int i = system.exponent; i > -places; --i)
        scaled *= 10;
    std::string out;
    std::size_t found = 0;
    std::uint64_t one_volt = 1;
    for (int i = 0; i < places; ++i)
        one_volt *= 10;
    for (std::uint64_t n = 1; n <= kMostDivisor && found < kFittingVoltages; ++n) {
        if (scaled / n < one_volt)
            break;
        if (scaled % n != 0)
            continue;
        Decimal v{scaled / n, -places};
        v = v.rounded(places); // moves trailing zeros into the exponent
        out += (found++ ? str(texts::list_separator) : std::string()) + v.text() + "V";
    }
    return out;
}

std::string not_fitting(std::string_view name, Decimal module, Decimal system,
                        std::string_view voltage_of) {
    return str(name) + module.text() + "V" + str(texts::does_not_fit) + system.text() + "V" +
           str(voltage_of) + str(texts::open_bracket) + system.text() + "÷" + module.text() +
           str(texts::not_whole) + fitting_voltages(system);
}

std::string counts(std::string_view name, std::uint64_t series, std::uint64_t strings) {
    return str(name) + std::to_string(series) + str(texts::in_series) + std::to_string(strings) +
           str(texts::strings_in_parallel) + std::to_string(series * strings) + str(texts::pieces);
}

std::string battery_line(Decimal system, Decimal capacity, Decimal volts, Decimal amp_hours) {
    if (!divides_exactly(system, volts))
        return not_fitting(texts::batteries, volts, system, texts::system_voltage);
    const std::optional<std::uint64_t> series = ceiling_quotient(system, volts);
    const std::optional<std::uint64_t> strings = ceiling_quotient(capacity, amp_hours);
    const std::optional<Decimal> bank = strings ? times(amp_hours, *strings) : std::nullopt;
    if (!series || !bank || *series * *strings > 1'000'000'000)
        return str(texts::batteries) + str(texts::too_many);
    return counts(texts::batteries, *series, *strings) + str(texts::bank) + system.text() + "V " +
           bank->text() + "Ah";
}

std::string panel_line(Decimal voltage, Decimal power, Decimal watts, Decimal volts) {
    if (!divides_exactly(voltage, volts))
        return not_fitting(texts::panels, volts, voltage, texts::panel_voltage);
    const std::optional<std::uint64_t> series = ceiling_quotient(voltage, volts);
    const std::optional<Decimal> string_power = series ? times(watts, *series) : std::nullopt;
    const std::optional<std::uint64_t> strings =
        string_power ? ceiling_quotient(power, *string_power) : std::nullopt;
    const std::optional<Decimal> array = strings ? times(*string_power, *strings) : std::nullopt;
    if (!array || *series * *strings > 1'000'000'000)
        return str(texts::panels) + str(texts::too_many);
    return counts(texts::panels, *series, *strings) + str(texts::array_power) + array->text() + "W";
}

} // namespace

ModulePlan plan_modules(const calc::SizingResults& results, const ModuleSizes& modules) {
    return plan_modules(ShownResults{calc::format_number(results.system_voltage),
                                     calc::format_number(results.panel_voltage),
                                     calc::format_number(results.battery_capacity),
                                     calc::format_number(results.panel_power)},
                        modules);
}

ModulePlan plan_modules(const ShownResults& results, const ModuleSizes& modules) {
    ModulePlan plan;
    std::array<Decimal, 4> sizes;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        const TypedNumber n = read_typed_number(modules[i]);
        const std::string name = str(texts::module_names[i]) + " ";
        if (n.reading == Reading::empty)
            plan.problems.push_back(name + str(texts::empty_cell));
        else if (n.reading == Reading::not_a_number)
            plan.problems.push_back(name + str(texts::not_a_number));
        else if (n.negative || n.value <= 0)
            plan.problems.push_back(name + str(texts::must_be_positive));
        else if (n.value > kMostModule)
            plan.problems.push_back(name + str(texts::at_most) + "100000");
        else
            sizes[i] = n.magnitude;
    }
    const std::optional<Decimal> system = as_shown(results[0]);
    const std::optional<Decimal> panel_voltage = as_shown(results[1]);
    const std::optional<Decimal> capacity = as_shown(results[2]);
    const std::optional<Decimal> power = as_shown(results[3]);
    if (!plan.problems.empty())
        return plan;
    if (!system || !panel_voltage || !capacity || !power) {
        plan.lines.push_back(str(texts::before_calculation));
        return plan;
    }
    plan.lines.push_back(battery_line(*system, *capacity, sizes[0], sizes[1]));
    plan.lines.push_back(panel_line(*panel_voltage, *power, sizes[2], sizes[3]));
    return plan;
}

} // namespace vorlaine::loads
