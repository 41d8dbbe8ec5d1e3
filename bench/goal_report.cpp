#include "goal_report.h"

#include <cstdio>
#include <string_view>
#include <utility>

namespace vorlaine::bench {
namespace {

// 1234567.8 -> "1,234,568"; small figures keep two decimals.
std::string readable(double value) {
    char buffer[64];
    if (value < 1000) {
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
        return buffer;
    }
    const int length = std::snprintf(buffer, sizeof buffer, "%.0f", value);
    std::string grouped;
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            grouped += ',';
        grouped += buffer[i];
    }
    return grouped;
}

} // namespace

GoalReporter::GoalReporter(std::vector<Goal> goals) : goals_(std::move(goals)) {}

void GoalReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With repetitions only the median of the repetitions stands for the run.
        if (run.error_occurred ||
            (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
            continue;
        const std::string name = run.run_name.function_name;
        for (const auto& [counter, value] : run.counters)
            seen_.push_back({name, counter, value.value});
    }
}

bool GoalReporter::summarise() const {
    bool all_met = true;
    std::printf("\n%-34s %18s   %s\n", "goal", "measured", "target");
    for (const Goal& goal : goals_) {
        const Seen* last = nullptr;
        for (const Seen& s : seen_)
            if (s.benchmark == goal.benchmark && s.counter == goal.counter)
                last = &s;
        if (last == nullptr) {
            std::printf("%-34s %18s   %s %s %s  NOT RUN\n", goal.benchmark.c_str(), "-",
                        goal.at_least ? ">=" : "<=", readable(goal.limit).c_str(),
                        goal.what.c_str());
            all_met = false;
            continue;
        }
        const double figure = last->value * goal.scale;
        const bool met = goal.at_least ? figure >= goal.limit : figure <= goal.limit;
        all_met = all_met && met;
        std::printf("%-34s %18s   %s %s %s  %s\n", goal.benchmark.c_str(), readable(figure).c_str(),
                    goal.at_least ? ">=" : "<=", readable(goal.limit).c_str(), goal.what.c_str(),
                    met ? "met" : "MISSED");
    }
    std::fflush(stdout);
    return all_met;
}

int run_with_goals(int argc, char** argv, std::vector<Goal> goals) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    GoalReporter reporter(std::move(goals));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.summarise() ? 0 : 1;
}

} // namespace vorlaine::bench
