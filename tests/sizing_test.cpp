// One press of the compute button, from the texts of the window to its effects.
#include "calc_test_support.h"

#include "calc/number_text.h"
#include "calc/sizing_inputs.h"
#include "calc/voltage_selection.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vorlaine::calc;
using namespace vorlaine::calc::testing;

namespace {

std::vector<Effect> with(std::initializer_list<std::pair<int, const char*>> changes,
                         WindowInputs in = worked_example()) {
    for (const auto& [box, text] : changes)
        in.text(box) = text;
    return calculate(in);
}

std::vector<Effect> inverter(std::initializer_list<std::pair<int, const char*>> changes) {
    WindowInputs in = worked_example();
    in.check2 = 1;
    in.text(2) = "220";
    for (const auto& [box, text] : changes)
        in.text(box) = text;
    return calculate(in);
}

std::vector<Effect> results(const char* s, const char* vp, const char* c, const char* w,
                            const char* angle) {
    return {CaptionWrite{"Label12", s}, CaptionWrite{"Label8", vp}, CaptionWrite{"Label9", c},
            CaptionWrite{"Label13", w}, CaptionWrite{"Label15", angle}};
}

float stored(const char* text) {
    return static_cast<float>(parse_number(text).value());
}

} // namespace

TEST(Calculation, WorkedExampleToTheLastDigit) {
    EXPECT_EQ(calculate(worked_example()),
              results(" 12V", " 18V", " 78.43137Ah", " 129.6W", "30度"));
}

TEST(Calculation, LatitudeIsCopiedUnparsed) {
    EXPECT_EQ(caption_of(with({{10, ""}}), "Label15"), "度");
    EXPECT_EQ(caption_of(with({{10, "北纬 30.5"}}), "Label15"), "北纬 30.5度");
    EXPECT_EQ(caption_of(with({{10, "1e999"}}), "Label15"), "1e999度");
}

TEST(RequiredFields, AnyEmptyOneShowsTheNoticeAndNothingElse) {
    const std::vector<Effect> expected{notice(notices::invalid_input, notices::error_title)};
    for (int box : {1, 2, 3, 9})
        EXPECT_EQ(with({{box, ""}}), expected) << "Text" << box;
    // Even an unreadable number elsewhere is not looked at.
    EXPECT_EQ(with({{3, ""}, {7, "1e999"}}), expected);
}

TEST(RequiredFields, BlankTextsAndOtherBoxesAreNotTested) {
    // A blank load voltage reads as 0, which no band holds.
    EXPECT_EQ(with({{2, "  "}}), std::vector<Effect>{out_of_range_notice});
    // An empty rainy-day count reads as 0 days.
    EXPECT_EQ(with({{4, ""}, {10, ""}}), results(" 12V", " 18V", " 39.21569Ah", " 108W", "度"));
}

TEST(RainyInterval, ZeroStopsTheCalculation) {
    const std::vector<Effect> expected{notice(notices::zero_interval, notices::error_title)};
    for (const char* text : {"0", "0.000", "-0", "abc", ""})
        EXPECT_EQ(with({{5, text}}), expected) << text;
    // A tiny interval is not zero.
    EXPECT_EQ(notices_of(with({{5, "1e-45"}})), std::vector<Notice>{fault_notice});
    // Nor is a negative one: one rainy day every -5 days makes the panel
    // current 0.8 times what it would be without rain, 4.8 A less the
    // float rounding of the daily charge (4.7999997 A), at 18 V.
    EXPECT_EQ(with({{5, "-5"}}), results(" 12V", " 18V", " 78.43137Ah", " 86.39999W", "30度"));
}

TEST(Sunshine, ConversionsOfEveryKind) {
    EXPECT_EQ(effective_sunshine(5.0f, SunshineKind::EffectiveHours), 5.0f);
    EXPECT_EQ(effective_sunshine(5.0f, std::nullopt), 5.0f);
    EXPECT_EQ(effective_sunshine(5.0f, SunshineKind::AverageHours), 3.25f);
    EXPECT_EQ(effective_sunshine(18000.0f, SunshineKind::DailyRadiation), 5.0f);
    EXPECT_EQ(effective_sunshine(6480000.0f, SunshineKind::AnnualRadiation), 5.0f);
    // Both divisions of the yearly figure are rounded once, at the end.
    EXPECT_EQ(effective_sunshine(1.0f, SunshineKind::AnnualRadiation),
              static_cast<float>(1.0 / 3600 / 360));
}

TEST(Sunshine, ConvertedFigureDrivesThePanelSize) {
    WindowInputs in = worked_example();
    in.sunshine = SunshineKind::DailyRadiation;
    in.text(9) = "18000";
    EXPECT_EQ(calculate(in), calculate(worked_example()));
    in.sunshine = SunshineKind::AnnualRadiation;
    in.text(9) = "6480000";
    EXPECT_EQ(calculate(in), calculate(worked_example()));
    in.sunshine = SunshineKind::AverageHours;
    in.text(9) = "5";
    EXPECT_EQ(caption_of(calculate(in), "Label13"), " 199.3846W");
}

TEST(DirectCurrent, EveryBandEndLandsInItsBand) {
    struct Band {
        const char *low, *high;
        float system, panel;
    };
    const Band bands[] = {
        {"0.7", "1.3", 1.2f, 2.0f}, {"2", "2.6", 2.4f, 4.0f},   {"3.3", "3.8", 3.6f, 5.5f},
        {"5.6", "6.5", 6.0f, 7.5f}, {"7", "7.5", 7.2f, 10.5f},  {"11.5", "12.5", 12.0f, 18.0f},
        {"23", "25", 24.0f, 36.0f}, {"35", "37", 36.0f, 54.0f}, {"47", "49", 48.0f, 72.0f}};
    for (const Band& b : bands) {
        for (const char* end : {b.low, b.high}) {
            const std::optional<VoltageChoice> choice = select_dc_voltage(stored(end));
            ASSERT_TRUE(choice) << end;
            EXPECT_EQ(choice->system_voltage, b.system) << end;
            EXPECT_EQ(choice->panel_voltage, b.panel) << end;
        }
        // The nearest floats outside each end are outside every band.
        EXPECT_FALSE(select_dc_voltage(std::nextafter(stored(b.low), -1.0f))) << b.low;
        EXPECT_FALSE(select_dc_voltage(std::nextafter(stored(b.high), 100.0f))) << b.high;
    }
    for (const char* outside : {"0", "0.5", "0.6999999", "1.3000001", "1.5", "2.7", "3.2", "4",
                                "6.6", "9", "13", "26", "38", "46", "49.00001", "220", "-12"})
        EXPECT_FALSE(select_dc_voltage(stored(outside))) << outside;
}

TEST(DirectCurrent, ResultsShowTheBandVoltages) {
    EXPECT_EQ(with({{1, "3"},
                    {2, "1.3"},
                    {3, "10"},
                    {4, "0"},
                    {6, "0.5"},
                    {8, "0.8"},
                    {9, "3"},
                    {10, "25"}}),
              results(" 1.2V", " 2V", " 62.5Ah", " 21.25W", "25度"));
    EXPECT_EQ(caption_of(with({{2, "49"}}), "Label12"), " 48V");
    EXPECT_EQ(with({{2, "2.7"}}), std::vector<Effect>{out_of_range_notice});
}

TEST(Inverter, VoltageMustLieStrictlyBetween210And230) {
    for (const char* v : {"210", "230", "0", "12", "1e30"})
        EXPECT_EQ(inverter({{2, v}}), std::vector<Effect>{out_of_range_notice}) << v;
    for (const char* v : {"210.0001", "229.9999"})
        EXPECT_EQ(notices_of(inverter({{2, v}})), std::vector<Notice>{advice_notice}) << v;
}

TEST(Inverter, PowerClassEnds) {
    const std::pair<const char*, const char*> classes[] = {
        {"45", " 6V"},    {"45.00001", " 12V"}, {"350", " 12V"}, {"351", " 24V"},
        {"1000", " 24V"}, {"2000", " 48V"},     {"0", " 6V"},    {"-5", " 6V"}};
    for (const auto& [power, system] : classes)
        EXPECT_EQ(caption_of(inverter({{1, power}}), "Label12"), system) << power;
    for (const char* power : {"2000.001", "2001", "1e30"})
        EXPECT_EQ(inverter({{1, power}}), std::vector<Effect>{out_of_range_notice}) << power;
}

TEST(Inverter, AdviceComesFirstAndEfficiencyIsTheInverters) {
    std::vector<Effect> expected{advice_notice};
    for (Effect& e : results(" 6V", " 7.5V", " 147.0588Ah", " 101.25W", "30度"))
        expected.push_back(e);
    EXPECT_EQ(inverter({{1, "45"}}), expected);
    EXPECT_EQ(captions(inverter({{1, "2000"},
                                 {3, "8"},
                                 {4, "2"},
                                 {5, "6"},
                                 {6, "0.6"},
                                 {8, "0.9"},
                                 {7, "0.85"},
                                 {9, "4.5"}})),
              captions(results(" 48V", " 72V", " 2178.649Ah", " 9481.481W", "30度")));
    // Any tick value other than 0 chooses the inverter.
    WindowInputs greyed = worked_example();
    greyed.check2 = 2;
    greyed.text(2) = "220";
    greyed.text(1) = "45";
    EXPECT_EQ(calculate(greyed), expected);
    // Negative powers are not refused.
    EXPECT_EQ(captions(inverter({{1, "-5"}})),
              captions(results(" 6V", " 7.5V", "-16.33987Ah", "-11.25W", "30度")));
}

TEST(ArithmeticFaults, StopWhereTheyHappenKeepingEarlierCaptions) {
    const std::vector<Effect> nothing_written{fault_notice};
    // Daily charge: zero charge efficiency.
    EXPECT_EQ(with({{8, "0"}}), nothing_written);
    // Panel current: zero or tiny sunshine.
    EXPECT_EQ(with({{9, "0"}}), nothing_written);
    EXPECT_EQ(with({{9, "1e-45"}}), nothing_written);
    // Capacity: zero depth of discharge, after both voltages are shown.
    const std::vector<Effect> voltages_written{CaptionWrite{"Label12", " 12V"},
                                               CaptionWrite{"Label8", " 18V"}, fault_notice};
    EXPECT_EQ(with({{6, "0"}}), voltages_written);
    EXPECT_EQ(with({{6, "1e-40"}}), voltages_written);
    // Panel power: the raw current fits a float, times the panel voltage it does not.
    EXPECT_EQ(with({{9, "3.6e-37"}}),
              (std::vector<Effect>{CaptionWrite{"Label12", " 12V"}, CaptionWrite{"Label8", " 18V"},
                                   CaptionWrite{"Label9", " 78.43137Ah"}, fault_notice}));
}

TEST(ArithmeticFaults, ZeroInverterEfficiencyAfterTheAdvice) {
    EXPECT_EQ(inverter({{1, "45"}, {7, "0"}}), (std::vector<Effect>{advice_notice, fault_notice}));
}

TEST(ArithmeticFaults, NumbersTooLargeToReadOrToKeep) {
    const std::vector<Effect> nothing_written{fault_notice};
    // Beyond a double: the reading itself overflows, whichever box it is in.
    for (int box : {1, 2, 3, 4, 5, 6, 7, 8, 9})
        EXPECT_EQ(with({{box, "1e400"}}), nothing_written) << "Text" << box;
    // Beyond a float, in a box kept as a float.
    for (int box : {1, 2, 4, 5, 6, 7, 8, 9})
        EXPECT_EQ(with({{box, "1e39"}}), nothing_written) << "Text" << box;
    // The working time is kept as a double: it overflows in the daily charge.
    EXPECT_EQ(with({{3, "1e39"}}), nothing_written);
    // The reading comes before the interval test.
    EXPECT_EQ(with({{5, "0"}, {9, "1e400"}}), nothing_written);
}

TEST(ArithmeticFaults, NoCaptionEverHoldsANonFiniteNumber) {
    const char* extremes[] = {"0", "-0", "1e-45", "1e-38", "3.4e38", "-3.4e38", "1e308", "-1"};
    for (const char* a : extremes)
        for (const char* b : extremes)
            for (int box : {3, 4, 6, 8, 9}) {
                for (const CaptionWrite& c : captions(with({{1, a}, {box, b}}))) {
                    EXPECT_EQ(c.text.find("inf"), std::string::npos) << c.text;
                    EXPECT_EQ(c.text.find("nan"), std::string::npos) << c.text;
                }
            }
}

TEST(RainyIntervalText, FiveTimesTheRainyDays) {
    EXPECT_EQ(rainy_interval_text("2"), " 10");
    EXPECT_EQ(rainy_interval_text("1.5"), " 7.5");
    EXPECT_EQ(rainy_interval_text("-1"), "-5");
    EXPECT_EQ(rainy_interval_text(""), " 0");
    EXPECT_EQ(rainy_interval_text("abc"), " 0");
    EXPECT_EQ(rainy_interval_text("0.1"), " 0.5");
    EXPECT_EQ(rainy_interval_text("1e300"), " 5E+300");
    EXPECT_EQ(rainy_interval_text("1e308"), std::nullopt);
    EXPECT_EQ(rainy_interval_text("1e999"), std::nullopt);
}
