// Every case of the load list's table through the rules the desktop links;
// web/tests/core.test.mjs runs the same table through the page's core.
#include "loads/list_link.h"
#include "loads/load_list.h"
#include "loads/module_plan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace {

using nlohmann::json;
using namespace vorlaine::loads;

std::vector<LoadRow> rows_of(const json& rows) {
    std::vector<LoadRow> out;
    for (const json& r : rows)
        out.push_back({r[0], r[1], r[2], r[3]});
    return out;
}

TEST(LoadList, EveryCaseOfTheTable) {
    std::ifstream file(VORLAINE_TEST_DATA_DIR "/load-list.jsonl");
    std::string line;
    int cases = 0;
    while (std::getline(file, line)) {
        const json c = json::parse(line);
        SCOPED_TRACE(c["name"].get<std::string>());
        ++cases;
        if (c.contains("link")) {
            const auto decoded = decode_list(c["link"].get<std::string>());
            EXPECT_EQ(decoded.has_value(), !c.contains("malformed"));
            if (c.contains("rows")) {
                EXPECT_EQ(encode_list(rows_of(c["rows"])), c["link"]);
                EXPECT_EQ(decoded, rows_of(c["rows"]));
            }
        } else if (c.contains("rows")) {
            const ListCheck check = check_list(rows_of(c["rows"]));
            EXPECT_EQ(check.messages(), c.value("messages", std::vector<std::string>{}));
            EXPECT_EQ(check.fillable, c.contains("power"));
            EXPECT_EQ(check.power_text, c.value("power", ""));
            EXPECT_EQ(check.hours_text, c.value("hours", ""));
            if (c.contains("totals")) {
                EXPECT_EQ(check.totals, c["totals"].get<std::vector<std::string>>());
            }
            if (c.contains("table")) {
                const auto recorded =
                    c.value("recorded", std::vector<std::string>{c["power"], c["hours"]});
                EXPECT_EQ(json(list_table(rows_of(c["rows"]), recorded[0], recorded[1]).rows),
                          c["table"]);
            }
        } else {
            const ModulePlan plan =
                plan_modules(c["results"].get<ShownResults>(), c["modules"].get<ModuleSizes>());
            EXPECT_EQ(plan.problems, c.value("problems", std::vector<std::string>{}));
            EXPECT_EQ(plan.lines, c.value("plan", std::vector<std::string>{}));
        }
    }
    EXPECT_GE(cases, 25);
}

// The numbers the window's captions hold reach the plan as the captions show them.
TEST(LoadList, PlanFromTheResultsAsNumbers) {
    const vorlaine::calc::SizingResults results{24.0f, 36.0f, 416.6667f, 500.0f, "30度"};
    EXPECT_EQ(
        plan_modules(results, kDefaultModules).lines,
        plan_modules(ShownResults{" 24V", " 36V", " 416.6667Ah", " 500W"}, kDefaultModules).lines);
}

} // namespace
