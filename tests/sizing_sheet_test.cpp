// The table of sizing sheets and links (data/sizing-sheet.jsonl), through the
// desktop's build of the design; web/tests/core.test.mjs runs the same table
// through the page's core.
#include "design/control_table.h"
#include "design/sheet_link.h"
#include "design/sizing_sheet.h"
#include "design/window_state.h"
#include "loads/sheet_list.h"

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

TEST(SizingSheet, EveryRowOfTheTable) {
    static constexpr const char* kinds[] = {"Title",  "Line", "Heading", "Row",
                                            "Notice", "Link", "Code",    "Cells"};
    std::ifstream file(VORLAINE_TEST_DATA_DIR "/sizing-sheet.jsonl");
    for (std::string line; std::getline(file, line);) {
        const json row = json::parse(line);
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
        std::vector<loads::LoadRow> list;
        for (const auto& cells : row.value("loads", json::array()))
            list.push_back({cells[0], cells[1], cells[2], cells[3]});
        const auto pieces = design::sheet::make_sheet(
            record, inputs(row.at("read"), row, row.value("window", json::object())),
            moment(row.at("now")), row.at("address").get<std::string>(),
            row.contains("loads") ? loads::sheet_additions(record, list, row.at("modules"))
                                  : design::sheet::Additions{});
        std::vector<std::string> got, want;
        for (const auto& [part, text, value] : pieces)
            got.push_back(std::string(kinds[static_cast<int>(part)]) + "|" + text +
                          (value.empty() || value == text ? "" : "|" + value));
        for (const json& piece : row.at("sheet"))
            want.push_back(expand(piece));
        EXPECT_EQ(got, want);
        // The reader takes every field the writer writes.
        const std::string fragment = design::link::write(read).fragment;
        EXPECT_EQ(design::link::read(fragment).size(),
                  fragment.empty() ? 0 : std::ranges::count(fragment, '&') + 1);
    }
}

} // namespace
