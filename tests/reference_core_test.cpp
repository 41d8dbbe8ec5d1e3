// Every reference case through the calculation core, effect by effect.
#include "reference_cases.h"

#include <gtest/gtest.h>

#include <variant>

using namespace vorlaine;
using vorlaine::testing::visible;

namespace {

std::string show(const calc::Effect& effect) {
    if (const auto* n = std::get_if<calc::Notice>(&effect))
        return "notice " + visible(n->title) + " " + visible(n->text);
    const auto& c = std::get<calc::CaptionWrite>(effect);
    return c.label + " = " + visible(c.text);
}

std::string show(const std::vector<calc::Effect>& effects) {
    std::string out;
    for (const calc::Effect& e : effects)
        out += "\n    " + show(e);
    return out.empty() ? "\n    (nothing)" : out;
}

} // namespace

TEST(ReferenceCases, EveryCalculationGivesTheSameEffectsInTheSameOrder) {
    const std::vector<vorlaine::testing::SizingCase> cases = vorlaine::testing::sizing_cases();
    ASSERT_EQ(cases.size(), 600U);
    for (const vorlaine::testing::SizingCase& c : cases) {
        const std::vector<calc::Effect> got = calc::calculate(c.inputs);
        EXPECT_EQ(got, c.effects) << c.describe() << "\n  expected:" << show(c.effects)
                                  << "\n  got:" << show(got);
    }
}

TEST(ReferenceCases, EveryRainyDaysTextGivesTheSameInterval) {
    const std::vector<vorlaine::testing::RainyDaysCase> cases =
        vorlaine::testing::rainy_days_cases();
    ASSERT_EQ(cases.size(), 57U);
    for (const vorlaine::testing::RainyDaysCase& c : cases)
        EXPECT_EQ(calc::rainy_interval_text(c.rainy_days), c.interval)
            << "rainy-days-cases.jsonl line " << c.line << ": Text4=" << visible(c.rainy_days);
}
