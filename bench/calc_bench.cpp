// Throughput of the calculation core: one whole calculation from the window's
// texts to its effects, and the two number conversions it leans on.
#include "goal_report.h"

#include "calc/number_text.h"
#include "calc/sizing.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using namespace vorlaine;

// A 60 W, 12 V load without an inverter: every result caption is written and
// no notice is raised, the common case of a click.
calc::WindowInputs typical_inputs() {
    calc::WindowInputs in;
    in.texts = {"60", "12", "5", "1", "5", "0.75", "0.8", "0.85", "5", "30"};
    in.sunshine = calc::SunshineKind::EffectiveHours;
    in.check2 = 0;
    return in;
}

void BM_Calculate(benchmark::State& state) {
    const calc::WindowInputs in = typical_inputs();
    // A wrong result would make the figure meaningless.
    const std::vector<calc::Effect> first = calc::calculate(in);
    if (first.size() != 5) {
        state.SkipWithError("the typical inputs no longer give five captions");
        return;
    }
    for (auto _ : state) {
        std::vector<calc::Effect> effects = calc::calculate(in);
        benchmark::DoNotOptimize(effects.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_Calculate);

// The ten texts of the typical window, read one after the other.
void BM_ParseNumber(benchmark::State& state) {
    const calc::WindowInputs in = typical_inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string_view text = in.texts[i];
        benchmark::DoNotOptimize(text);
        auto value = calc::parse_number(text);
        benchmark::DoNotOptimize(value);
        i = i + 1 == in.texts.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ParseNumber);

// Results of the sizes the window shows: whole, fractional and long figures.
constexpr std::array<float, 5> kFloats = {12.0f, 24.0f, 470.5882f, 1226.25f, 0.1f};
constexpr std::array<double, 4> kDoubles = {25.0, 0.65, 1234567.891, 1e-7};

// Formats the values in turn, so that no single one is measured alone.
template <typename T, std::size_t N>
void format_in_turn(benchmark::State& state, const std::array<T, N>& values) {
    std::size_t i = 0;
    for (auto _ : state) {
        T value = values[i];
        benchmark::DoNotOptimize(value);
        std::string text = calc::format_number(value);
        benchmark::DoNotOptimize(text.data());
        i = i + 1 == N ? 0 : i + 1;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_FormatNumberFloat(benchmark::State& state) {
    format_in_turn(state, kFloats);
}
BENCHMARK(BM_FormatNumberFloat);

void BM_FormatNumberDouble(benchmark::State& state) {
    format_in_turn(state, kDoubles);
}
BENCHMARK(BM_FormatNumberDouble);

} // namespace

int main(int argc, char** argv) {
    return vorlaine::bench::run_with_goals(
        argc, argv, {{"BM_Calculate", "items_per_second", "calculations/s", 1'000'000, true, 1}});
}
