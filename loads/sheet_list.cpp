#include "sheet_list.h"

#include "design/load_texts.h"
#include "design/window_state.h"
#include "list_link.h"

#include <algorithm>
#include <string_view>

namespace vorlaine::loads {
namespace {

namespace words = design::loads;
using design::sheet::Part;

// The results the plan reads, in its order: S, Vp, C, W.
constexpr std::array<std::string_view, 4> kResultLabels{"Label12", "Label8", "Label9", "Label13"};

const std::string& recorded_text(const calc::WindowInputs& read, std::string_view box) {
    const auto at = std::find(design::kTextBoxes.begin(), design::kTextBoxes.end(), box);
    return read.texts[static_cast<std::size_t>(at - design::kTextBoxes.begin())];
}

// A cell is ended by a tab, so a tab or line break typed in a name prints as a blank.
std::string cells_text(const std::array<std::string, 4>& cells) {
    std::string out;
    for (const std::string& cell : cells) {
        for (const char c : cell)
            out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        out += '\t';
    }
    return out;
}

// The four results as the 计算 wrote them; none unless it wrote them all.
std::optional<ShownResults> written_results(const design::sheet::Record& record) {
    ShownResults shown;
    for (std::size_t i = 0; i < kResultLabels.size(); ++i) {
        const auto write = std::find_if(record.wrote.begin(), record.wrote.end(),
                                        [&](const auto& w) { return w.label == kResultLabels[i]; });
        if (write == record.wrote.end())
            return std::nullopt;
        shown[i] = write->text;
    }
    return shown;
}

} // namespace

design::sheet::Additions sheet_additions(const std::optional<design::sheet::Record>& record,
                                         const std::vector<LoadRow>& rows,
                                         const ModuleSizes& modules) {
    design::sheet::Additions out;
    if (!record)
        return out;
    const ListTable table = list_table(rows, recorded_text(record->read, "Text1"),
                                       recorded_text(record->read, "Text3"));
    if (!table.rows.empty()) {
        out.above_inputs.push_back({Part::Heading, std::string(words::list_title), {}});
        for (const auto& cells : table.rows)
            out.above_inputs.push_back({Part::Cells, cells_text(cells), {}});
        // The totals on one line, so that the sheet stays on one page.
        std::string totals;
        for (const std::string& total : table.totals)
            totals.append(totals.empty() ? "" : "  ").append(total);
        out.above_inputs.push_back({Part::Line, totals, {}});
        out.link_field = encode_list(rows);
    }
    if (const auto shown = written_results(*record)) {
        const ModulePlan plan = plan_modules(*shown, modules);
        // Rows under the results, captioned once: a heading of its own would
        // take the sheet past one page.
        for (const auto* lines : {&plan.problems, &plan.lines})
            for (const std::string& line : *lines)
                out.under_results.push_back(
                    {Part::Row, out.under_results.empty() ? std::string(words::plan_title) : "",
                     line});
    }
    return out;
}

} // namespace vorlaine::loads
