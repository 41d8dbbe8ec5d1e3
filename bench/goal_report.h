// Prints Google Benchmark's usual table, then one line per goal: the figure
// measured, the goal beside it and whether it was met.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace vorlaine::bench {

struct Goal {
    std::string benchmark; // the benchmark's name as registered
    std::string counter;   // the user counter holding the figure
    std::string what;      // how the figure reads, e.g. "calculations/s"
    double limit = 0;
    bool at_least = true; // false: the figure must stay at or below the limit
    double scale = 1;     // the figure is printed as counter value * scale
};

class GoalReporter : public benchmark::ConsoleReporter {
public:
    explicit GoalReporter(std::vector<Goal> goals);

    void ReportRuns(const std::vector<Run>& runs) override;

    // Prints the goal lines; true when every goal with a figure was met and
    // every goal got one.
    bool summarise() const;

private:
    struct Seen {
        std::string benchmark;
        std::string counter;
        double value;
    };
    std::vector<Goal> goals_;
    std::vector<Seen> seen_;
};

// Initialises Google Benchmark, runs the benchmarks and prints the goals.
// Returns the process exit status: 0 when every goal was met.
int run_with_goals(int argc, char** argv, std::vector<Goal> goals);

} // namespace vorlaine::bench
