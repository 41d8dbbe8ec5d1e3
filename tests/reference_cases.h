// The reference cases of tests/reference/, read into the core's own types.
#pragma once

#include "calc/sizing.h"

#include <optional>
#include <string>
#include <vector>

namespace vorlaine::testing {

struct SizingCase {
    int line = 0;   // in sizing-cases.jsonl
    int option = 0; // 1 to 4: the selected option button
    calc::WindowInputs inputs;
    std::vector<calc::Effect> effects; // a fault is our own 错误 notice

    // The inputs, with blanks and control characters made visible.
    std::string describe() const;
};

struct RainyDaysCase {
    int line = 0;
    std::string rainy_days;
    std::optional<std::string> interval; // nothing: a fault
};

std::vector<SizingCase> sizing_cases();
std::vector<RainyDaysCase> rainy_days_cases();

// A text with its control characters written as escapes, in quotes.
std::string visible(const std::string& text);

} // namespace vorlaine::testing
