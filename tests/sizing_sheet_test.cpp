// The table of sizing sheets and links (data/sizing-sheet.jsonl), through the
// desktop's build of the design; web/tests/core.test.mjs runs the same table
// through the page's core.
#include "design/control_table.h"
#include "design/sheet_link.h"
#include "design/sizing_sheet.h"
#include "design/window_state.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <regex>

namespace {

using namespace vorlaine;
using nlohmann::json;

// "<北*400>" stands for 400 × 北.
std::string expand(std::string text) {
    static const std::regex repeat("<([^<>*]+)\\*(\\d+)>");
    for (std::smatch m; std::regex_search(text, m, repeat);) {
        std::string run;
        for (int n = std::stoi(m[2]); n > 0; --n)
            run += m[1];
        text.replace(static_cast<std::size_t>(m.position(0)), static_cast<std::size_t>(m.length(0)),
                     run);
    }
    return text;
}

design::sheet::Moment moment(const std::string& text) {
    design::sheet::Moment m;
    std::sscanf(text.c_str(), "%d-%d-%d %d:%d", &m.year, &m.month, &m.day, &m.hour, &m.minute);
    return m;
}

calc::WindowInputs inputs(const json& texts, const json& row, const json& over = json::object()) {
    calc::WindowInputs in;
    for (std::size_t i = 0; i < in.texts.size(); ++i) {
        const std::string box(design::kTextBoxes[i]);
        in.texts[i] =
            expand(over.value(box, texts.value(box, std::string(design::design_text(box)))));
    }
    in.check2 = over.value("check2", row.at("check2").get<int>());
    in.sunshine = design::kSunshineOptions.at(row.at("option").get<std::size_t>() - 1).kind;
    return in;
}

std::vector<json> rows() {
    std::ifstream file(VORLAINE_TEST_DATA_DIR "/sizing-sheet.jsonl");
    std::vector<json> all;
    for (std::string line; std::getline(file, line);)
        all.push_back(json::parse(line));
    return all;
}

TEST(SizingSheet, EveryRowOfTheTable) {
    static constexpr const char* kinds[] = {"Title",  "Line", "Heading", "Row",
                                            "Notice", "Link", "Code"};
    for (const json& row : rows()) {
        SCOPED_TRACE(row.at("name").get<std::string>());
        if (row.contains("fragment")) {
            std::vector<std::pair<std::string, std::string>> want;
            for (const json& field : row.at("fields"))
                want.emplace_back(field[0], expand(field[1]));
            EXPECT_EQ(design::link::read(expand(row.at("fragment"))), want);
            continue;
        }
        const calc::WindowInputs read = inputs(row.at("read"), row);
        std::optional<design::sheet::Record> record;
        if (row.value("calculated", true))
            record =
                design::sheet::record_of(read, calc::calculate(read), moment(row.at("pressed")));
        const auto pieces = design::sheet::make_sheet(
            record, inputs(row.at("read"), row, row.value("window", json::object())),
            moment(row.at("now")), row.at("address").get<std::string>());
        std::vector<std::string> got, want;
        for (const auto& [part, text, value] : pieces)
            got.push_back(std::string(kinds[static_cast<int>(part)]) + "|" + text +
                          (value.empty() || value == text ? "" : "|" + value));
        for (const json& line : row.at("sheet"))
            want.push_back(expand(line));
        EXPECT_EQ(got, want);
        // What the link carries it gives back: every text but those left out.
        const auto written = design::link::write(read);
        calc::WindowInputs back = inputs(json::object(), row);
        for (const auto& [name, value] : design::link::read(written.fragment))
            for (std::size_t i = 0; i < back.texts.size(); ++i)
                if (design::kTextBoxes[i] == name)
                    back.texts[i] = value;
        for (std::size_t i = 0; i < back.texts.size(); ++i)
            EXPECT_EQ(back.texts[i], std::ranges::count(written.left_out, design::kTextBoxes[i])
                                         ? design::design_text(design::kTextBoxes[i])
                                         : read.texts[i]);
    }
}

} // namespace
