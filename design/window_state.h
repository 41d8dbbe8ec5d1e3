// The window's states and control lists that both editions act on: what it
// opens with, what 清除 writes and in which order, which boxes are required,
// which take numbers only, and which box rewrites which.
#pragma once

#include "calc/sizing.h"
#include "calc/sizing_inputs.h"

#include <array>
#include <string_view>

namespace vorlaine::design {

// The text boxes as the core numbers them: kTextBoxes[0] is Text1.
inline constexpr std::array<std::string_view, 10> kTextBoxes{
    "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Text10"};

// Ticked or selected when the window opens, and again after 清除.
inline constexpr std::array<std::string_view, 2> kStartChecked{"Check1", "Option1"};

// 需要逆变器: the one check box the calculation reads.
inline constexpr std::string_view kInverterCheck = "Check2";

// Greyed while 需要逆变器 is not ticked, as when the window opens.
inline constexpr std::array<std::string_view, 2> kInverterControls{"Text7", "Label4"};

// 清除 writes the boxes' design texts in this order: Text4 rewrites Text5 as
// it changes, and Text5 then gets its own text back.
inline constexpr std::array<std::string_view, 10> kClearOrder{
    "Text6", "Text7", "Text8", "Text1", "Text2", "Text3", "Text4", "Text5", "Text9", "Text10"};

// The boxes the calculation will not run without, named. Plain loops: the
// WebAssembly build's library has no range algorithms.
inline constexpr auto kRequiredBoxes = [] {
    std::array<std::string_view, calc::kRequiredBoxes.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kTextBoxes[static_cast<std::size_t>(calc::kRequiredBoxes[i] - 1)];
    return names;
}();

constexpr bool is_required(std::string_view box) {
    for (std::string_view required : kRequiredBoxes)
        if (required == box)
            return true;
    return false;
}

// What each option says the sunshine figure is; the selected option's caption
// is shown again in kOptionCaptionLabel.
struct SunshineOption {
    std::string_view name;
    calc::SunshineKind kind;
};
inline constexpr std::array<SunshineOption, 4> kSunshineOptions{{
    {"Option1", calc::SunshineKind::EffectiveHours},
    {"Option2", calc::SunshineKind::AverageHours},
    {"Option3", calc::SunshineKind::DailyRadiation},
    {"Option4", calc::SunshineKind::AnnualRadiation},
}};
inline constexpr std::string_view kOptionCaptionLabel = "Label18";

// Typing 阴雨天数 rewrites 阴雨天间格.
inline constexpr std::string_view kRainyDaysBox = "Text4";
inline constexpr std::string_view kRainyIntervalBox = calc::kRainyIntervalBox;

// The latitude box takes text such as "北纬40"; every other box takes a number.
inline constexpr std::string_view kLatitudeBox = "Text10";

constexpr bool takes_numbers_only(std::string_view box) {
    return box != kLatitudeBox;
}

} // namespace vorlaine::design
