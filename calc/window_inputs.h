// The types the calculation's stages share: the window's inputs as typed and
// as read.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace vorlaine::calc {

// What the sunshine figure typed into Text9 stands for.
enum class SunshineKind { EffectiveHours, AverageHours, DailyRadiation, AnnualRadiation };

// The window's inputs as they are when the compute button is pressed.
struct WindowInputs {
    std::array<std::string, 10> texts; // texts[0] is Text1 ... texts[9] is Text10
    int check2 = 0;                    // 0 unticked, 1 ticked (2 greyed)
    std::optional<SunshineKind> sunshine;

    const std::string& text(int number) const {
        return texts.at(static_cast<std::size_t>(number - 1));
    }
    std::string& text(int number) { return texts.at(static_cast<std::size_t>(number - 1)); }
};

// The parsed inputs of one calculation; the working time keeps double precision.
struct SizingInputs {
    float load_power = 0;
    float load_voltage = 0;
    double daily_hours = 0;
    float rainy_days = 0;
    float rainy_interval = 0;
    float sunshine = 0; // effective sunshine hours once converted
    float depth_of_discharge = 0;
    float inverter_efficiency = 0;
    float charge_efficiency = 0;
};

} // namespace vorlaine::calc
