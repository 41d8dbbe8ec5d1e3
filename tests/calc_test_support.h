// Shared helpers for the tests of the calculation core.
#pragma once

#include "calc/notices.h"
#include "calc/sizing.h"

#include <string>
#include <variant>
#include <vector>

namespace vorlaine::calc::testing {

// The worked example: a 60 W, 12 V DC load for 5 hours a day, one rainy day
// every 5 days, 5 effective sunshine hours, latitude 30.
inline WindowInputs worked_example() {
    WindowInputs in;
    in.texts = {"60", "12", "5", "1", "5", "0.75", "0.8", "0.85", "5", "30"};
    in.sunshine = SunshineKind::EffectiveHours;
    return in;
}

// The effects of one kind, in their order.
template <typename T> std::vector<T> only(const std::vector<Effect>& effects) {
    std::vector<T> out;
    for (const Effect& e : effects)
        if (const auto* item = std::get_if<T>(&e))
            out.push_back(*item);
    return out;
}

inline std::vector<CaptionWrite> captions(const std::vector<Effect>& effects) {
    return only<CaptionWrite>(effects);
}

inline std::vector<Notice> notices_of(const std::vector<Effect>& effects) {
    return only<Notice>(effects);
}

inline std::string caption_of(const std::vector<Effect>& effects, const std::string& label) {
    for (const CaptionWrite& c : captions(effects))
        if (c.label == label)
            return c.text;
    return "<unwritten>";
}

inline Notice notice(std::string_view text, std::string_view title) {
    return Notice{std::string(text), std::string(title)};
}

inline const Notice fault_notice = notice(notices::arithmetic_fault, notices::error_title);
inline const Notice out_of_range_notice = notice(notices::out_of_range, notices::hint_title);
inline const Notice advice_notice = notice(notices::inverter_advice, notices::hint_title);

} // namespace vorlaine::calc::testing
