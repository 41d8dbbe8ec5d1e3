#include "reference_cases.h"

#include "json_lines.h"

#include <stdexcept>

namespace vorlaine::testing {
namespace {

std::string data_file(const char* name) {
    return std::string(VORLAINE_REFERENCE_DIR) + "/" + name;
}

calc::SunshineKind kind_of_option(int option) {
    switch (option) {
    case 1:
        return calc::SunshineKind::EffectiveHours;
    case 2:
        return calc::SunshineKind::AverageHours;
    case 3:
        return calc::SunshineKind::DailyRadiation;
    case 4:
        return calc::SunshineKind::AnnualRadiation;
    }
    throw std::runtime_error("no option " + std::to_string(option));
}

calc::Effect effect_of(const json::Value& item) {
    if (item.has("fault"))
        return calc::arithmetic_fault_notice();
    if (item.has("notice"))
        return calc::Notice{item["notice"]["text"].text, item["notice"]["title"].text};
    return calc::CaptionWrite{item["caption"]["label"].text, item["caption"]["text"].text};
}

} // namespace

std::string visible(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '"':
            out += "\\\"";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

std::string SizingCase::describe() const {
    std::string out = "sizing-cases.jsonl line " + std::to_string(line) + ":";
    for (int box = 1; box <= 10; ++box)
        out += " Text" + std::to_string(box) + "=" + visible(inputs.text(box));
    return out + " check2=" + std::to_string(inputs.check2) + " option=" + std::to_string(option);
}

std::vector<SizingCase> sizing_cases() {
    std::vector<SizingCase> cases;
    int line = 0;
    for (const json::Value& row : json::read_lines(data_file("sizing-cases.jsonl"))) {
        SizingCase c;
        c.line = ++line;
        for (int box = 1; box <= 10; ++box)
            c.inputs.text(box) = row["texts"]["Text" + std::to_string(box)].text;
        c.inputs.check2 = static_cast<int>(row["check2"].number);
        c.option = static_cast<int>(row["option"].number);
        c.inputs.sunshine = kind_of_option(c.option);
        for (const json::Value& item : row["effects"].items)
            c.effects.push_back(effect_of(item));
        cases.push_back(std::move(c));
    }
    return cases;
}

std::vector<RainyDaysCase> rainy_days_cases() {
    std::vector<RainyDaysCase> cases;
    int line = 0;
    for (const json::Value& row : json::read_lines(data_file("rainy-days-cases.jsonl"))) {
        RainyDaysCase c;
        c.line = ++line;
        c.rainy_days = row["rainy_days"].text;
        if (!row.has("fault"))
            c.interval = row["interval"].text;
        cases.push_back(std::move(c));
    }
    return cases;
}

} // namespace vorlaine::testing
