// The load list: rows of appliances as typed, each cell checked, and once
// every row is valid the totals and the two texts that fill the window's
// 负载功率 and 日平均工作时间.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorlaine::loads {

inline constexpr std::size_t kMostRows = 50;

enum class Column { name, count, power, hours };

// A row as typed; nothing in it is changed by checking it.
struct LoadRow {
    std::string name;
    std::string count;
    std::string power; // W
    std::string hours; // a day
    bool operator==(const LoadRow&) const = default;
};

struct CellProblem {
    std::size_t row; // from 0
    Column column;
    std::string message; // "第3行 功率 必须大于0"
};

struct ListCheck {
    std::string list_problem; // no rows, or too many; empty if neither
    std::vector<CellProblem> cells;
    // The rest only once the whole list is valid.
    bool fillable = false;
    double power = 0;                // P = Σ count × power, W
    double energy = 0;               // E = Σ count × power × hours, Wh a day
    std::string power_text;          // for 负载功率: the shortest decimal that reads back as P
    std::string hours_text;          // for 日平均工作时间: E ÷ P to at most four decimals
    std::vector<std::string> totals; // P, E, the hours, and the P × H the window will use

    // Every problem in words, the list's first.
    std::vector<std::string> messages() const;
};

ListCheck check_list(const std::vector<LoadRow>& rows);

// The list as the sizing sheet prints it: the headings, each row with its
// numbers written plainly, then the totals. Empty unless the list is valid
// and the 负载功率 and 日平均工作时间 the 计算 recorded are the texts it
// fills in: a list changed since, or a box retyped, was not the sizing's source.
struct ListTable {
    std::vector<std::array<std::string, 4>> rows;
    std::vector<std::string> totals;
};
ListTable list_table(const std::vector<LoadRow>& rows, std::string_view recorded_power,
                     std::string_view recorded_hours);

} // namespace vorlaine::loads
