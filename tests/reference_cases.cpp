#include "reference_cases.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>

namespace vorlaine::testing {
namespace {

using json = nlohmann::json;

// Every line of a JSON Lines file of the reference folder.
std::vector<json> read_lines(const char* name) {
    const std::string path = std::string(VORLAINE_REFERENCE_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<json> rows;
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            rows.push_back(json::parse(line));
    return rows;
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

calc::Effect effect_of(const json& item) {
    if (item.contains("fault"))
        return calc::arithmetic_fault_notice();
    if (item.contains("notice"))
        return calc::Notice{item.at("notice").at("text"), item.at("notice").at("title")};
    return calc::CaptionWrite{item.at("caption").at("label"), item.at("caption").at("text")};
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
    for (const json& row : read_lines("sizing-cases.jsonl")) {
        SizingCase c;
        c.line = ++line;
        for (int box = 1; box <= 10; ++box)
            c.inputs.text(box) = row.at("texts").at("Text" + std::to_string(box));
        c.inputs.check2 = row.at("check2");
        c.option = row.at("option");
        c.inputs.sunshine = kind_of_option(c.option);
        for (const json& item : row.at("effects"))
            c.effects.push_back(effect_of(item));
        cases.push_back(std::move(c));
    }
    return cases;
}

std::vector<RainyDaysCase> rainy_days_cases() {
    std::vector<RainyDaysCase> cases;
    int line = 0;
    for (const json& row : read_lines("rainy-days-cases.jsonl")) {
        RainyDaysCase c;
        c.line = ++line;
        c.rainy_days = row.at("rainy_days");
        if (!row.contains("fault"))
            c.interval = row.at("interval").get<std::string>();
        cases.push_back(std::move(c));
    }
    return cases;
}

} // namespace vorlaine::testing
