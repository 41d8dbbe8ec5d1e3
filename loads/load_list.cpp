#include "load_list.h"

#include "decimal.h"
#include "design/load_texts.h"
#include "design/sheet_texts.h"

#include "calc/number_text.h"

#include <optional>

namespace vorlaine::loads {
namespace texts = design::loads;
namespace {

constexpr std::size_t kMostNameCharacters = 40;
constexpr double kMostPower = 100000;
constexpr double kMostHours = 24;

std::size_t characters(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xc0) != 0x80 ? 1 : 0;
    return n;
}

std::string message(std::size_t row, Column column, std::string_view problem) {
    return std::string(texts::row_prefix) + std::to_string(row + 1) + std::string(texts::row_word) +
           " " + std::string(texts::columns[static_cast<std::size_t>(column)]) + " " +
           std::string(problem);
}

std::string limit_text(double most) {
    return std::string(texts::at_most) + shortest_decimal(most)->text();
}

// The problem with a number cell, or nothing; `whole` asks for a count.
std::optional<std::string> number_problem(const TypedNumber& n, double most, bool whole) {
    if (n.reading == Reading::empty)
        return std::string(texts::empty_cell);
    if (n.reading == Reading::not_a_number)
        return std::string(texts::not_a_number);
    if (whole) {
        if (n.negative || n.magnitude.exponent < 0 || n.value < 1 || n.value > most)
            return std::string(texts::count_rule);
        return std::nullopt;
    }
    if (n.negative || n.value <= 0)
        return std::string(texts::must_be_positive);
    if (n.value > most)
        return limit_text(most);
    return std::nullopt;
}

struct ReadRow {
    double count = 0, power = 0, hours = 0;
};

// Checks one row into `check`; the row's numbers when it is valid.
std::optional<ReadRow> check_row(const LoadRow& row, std::size_t index, ListCheck& check) {
    const std::size_t before = check.cells.size();
    if (characters(row.name) > kMostNameCharacters)
        check.cells.push_back(
            {index, Column::name, message(index, Column::name, texts::name_rule)});
    const TypedNumber count = read_typed_number(row.count);
    const TypedNumber power = read_typed_number(row.power);
    const TypedNumber hours = read_typed_number(row.hours);
    const auto note = [&](Column column, const std::optional<std::string>& problem) {
        if (problem)
            check.cells.push_back({index, column, message(index, column, *problem)});
    };
    note(Column::count, number_problem(count, 999, true));
    note(Column::power, number_problem(power, kMostPower, false));
    note(Column::hours, number_problem(hours, kMostHours, false));
    if (check.cells.size() != before)
        return std::nullopt;
    return ReadRow{count.value, power.value, hours.value};
}

std::string rounded_text(double value) {
    const std::optional<Decimal> d = shortest_decimal(value);
    return d ? d->rounded(4).text() : std::string();
}

} // namespace

std::vector<std::string> ListCheck::messages() const {
    std::vector<std::string> all;
    if (!list_problem.empty())
        all.push_back(list_problem);
    for (const CellProblem& cell : cells)
        all.push_back(cell.message);
    return all;
}

ListCheck check_list(const std::vector<LoadRow>& rows) {
    ListCheck check;
    if (rows.empty())
        check.list_problem = texts::no_rows;
    else if (rows.size() > kMostRows)
        check.list_problem = texts::too_many_rows;
    double power = 0;
    double energy = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (const std::optional<ReadRow> row = check_row(rows[i], i, check)) {
            power += row->count * row->power;
            energy += row->count * row->power * row->hours;
        }
    }
    if (!check.list_problem.empty() || !check.cells.empty())
        return check;

    check.fillable = true;
    check.power = power;
    check.energy = energy;
    check.power_text = shortest_decimal(power)->text();
    check.hours_text = rounded_text(energy / power);
    // What the window makes of the two texts: the power as a float, the hours
    // as a double, their product in double.
    const auto window_power = static_cast<float>(*calc::parse_number(check.power_text));
    const double window_energy = double{window_power} * *calc::parse_number(check.hours_text);
    const std::string wh = "Wh/" + std::string(design::sheet::days);
    check.totals = {
        std::string(texts::total_power) + std::string(texts::colon) + check.power_text + "W",
        std::string(texts::daily_energy) + std::string(texts::colon) + rounded_text(energy) + wh,
        std::string(texts::window_hours) + std::string(texts::colon) + check.hours_text,
        std::string(texts::window_energy) + std::string(texts::colon) +
            rounded_text(window_energy) + wh,
    };
    return check;
}

ListTable list_table(const std::vector<LoadRow>& rows, std::string_view recorded_power,
                     std::string_view recorded_hours) {
    ListCheck check = check_list(rows);
    if (!check.fillable || check.power_text != recorded_power || check.hours_text != recorded_hours)
        return {};
    ListTable table;
    table.rows.push_back({std::string(texts::headings[0]), std::string(texts::headings[1]),
                          std::string(texts::headings[2]), std::string(texts::headings[3])});
    for (const LoadRow& row : rows)
        table.rows.push_back({row.name, read_typed_number(row.count).magnitude.text(),
                              read_typed_number(row.power).magnitude.text(),
                              read_typed_number(row.hours).magnitude.text()});
    table.totals = std::move(check.totals);
    return table;
}

} // namespace vorlaine::loads
