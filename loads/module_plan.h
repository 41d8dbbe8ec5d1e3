// The module plan: how many batteries and panels of the sizes a person names
// the results of a 计算 mean, wired in series to the system's voltages.
#pragma once

#include "calc/sizing.h"

#include <array>
#include <string>
#include <vector>

namespace vorlaine::loads {

// The module sizes as typed, in the design's order: a battery's volts and
// ampere-hours, a panel's watts and working volts.
using ModuleSizes = std::array<std::string, 4>;
inline const ModuleSizes kDefaultModules{"12", "100", "100", "18"};

struct ModulePlan {
    std::vector<std::string> problems; // a module size that cannot be used
    std::vector<std::string> lines;    // the batteries, then the panels
};

// The results a 计算 wrote, as their captions show them (" 24V", " 400Ah"):
// the system voltage, the panel voltage, the battery capacity, the panel power.
using ShownResults = std::array<std::string, 4>;

// From the four results; a caption with its unit alone (no 计算 yet) gives
// one line that says so.
ModulePlan plan_modules(const ShownResults& results, const ModuleSizes& modules);
ModulePlan plan_modules(const calc::SizingResults& results, const ModuleSizes& modules);

} // namespace vorlaine::loads
