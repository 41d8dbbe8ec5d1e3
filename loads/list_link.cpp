#include "list_link.h"

#include <array>

namespace vorlaine::loads {
namespace {

constexpr std::size_t kMostNameBytes = 40 * 4;

void append_escaped(std::string& out, std::string_view cell) {
    for (const char c : cell) {
        if (c == '%')
            out += "%25";
        else if (c == ',')
            out += "%2C";
        else if (c == ';')
            out += "%3B";
        else
            out += c;
    }
}

std::optional<std::string> unescaped(std::string_view cell, std::size_t most) {
    std::string out;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const auto c = static_cast<unsigned char>(cell[i]);
        if (c < 0x20 || c == 0x7f)
            return std::nullopt;
        if (c != '%') {
            out += static_cast<char>(c);
            continue;
        }
        const std::string_view code = cell.substr(i + 1, 2);
        if (code == "25")
            out += '%';
        else if (code == "2C" || code == "2c")
            out += ',';
        else if (code == "3B" || code == "3b")
            out += ';';
        else
            return std::nullopt;
        i += 2;
    }
    if (out.size() > most)
        return std::nullopt;
    return out;
}

template <typename Each> bool split(std::string_view text, char mark, Each each) {
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(mark, start);
        if (!each(text.substr(start, end - start)))
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

} // namespace

std::string encode_list(const std::vector<LoadRow>& rows) {
    std::string out;
    for (const LoadRow& row : rows) {
        if (&row != &rows.front())
            out += ';';
        const std::array<const std::string*, 4> cells{&row.name, &row.count, &row.power,
                                                      &row.hours};
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += ',';
            append_escaped(out, *cells[i]);
        }
    }
    return out;
}

std::optional<std::vector<LoadRow>> decode_list(std::string_view field) {
    std::vector<LoadRow> rows;
    if (field.empty())
        return rows;
    if (field.size() > kMostLinkField)
        return std::nullopt;
    const bool whole = split(field, ';', [&](std::string_view text) {
        if (rows.size() == kMostRows)
            return false;
        std::vector<std::string> cells;
        const bool read = split(text, ',', [&](std::string_view cell) {
            const auto value = unescaped(cell, cells.empty() ? kMostNameBytes : kMostNumberCell);
            if (!value || cells.size() == 4)
                return false;
            cells.push_back(*value);
            return true;
        });
        if (!read || cells.size() != 4)
            return false;
        rows.push_back({cells[0], cells[1], cells[2], cells[3]});
        return true;
    });
    if (!whole)
        return std::nullopt;
    // A name the list would refuse is not the list's: it is not trusted either.
    for (const LoadRow& row : rows)
        for (const CellProblem& problem : check_list({row}).cells)
            if (problem.column == Column::name)
                return std::nullopt;
    return rows;
}

} // namespace vorlaine::loads
