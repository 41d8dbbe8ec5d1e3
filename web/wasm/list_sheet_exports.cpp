// The sizing sheet with the load list and the module plan, in the list's
// module: once the list has been used, the page asks here instead of the
// core, in the core's byte form (sheet_wire.h) with the list after it.
#include "buffers.h"
#include "sheet_wire.h"

#include "loads/sheet_list.h"

#include <cstdint>
#include <string>

namespace {

namespace loads = vorlaine::loads;

std::string& input = vorlaine::web::request;
std::string& output = vorlaine::web::answer;

} // namespace

extern "C" {

// The core's sheet request, then the count of rows, four texts a row, and the
// four module sizes. Returns 0, or 1 when the bytes are malformed.
__attribute__((export_name("sizing_sheet"))) int sizing_sheet() {
    vorlaine::web::ByteReader in(input);
    const auto sheet = vorlaine::web::read_sheet_request(in);
    const auto count = in.u32();
    if (!sheet || !count || *count > loads::kMostRows)
        return 1;
    std::vector<loads::LoadRow> rows(*count);
    loads::ModuleSizes modules;
    for (loads::LoadRow& row : rows)
        for (std::string* cell : {&row.name, &row.count, &row.power, &row.hours})
            if (auto text = in.text())
                *cell = std::move(*text);
            else
                return 1;
    for (std::string& size : modules)
        if (auto text = in.text())
            size = std::move(*text);
        else
            return 1;
    output = vorlaine::web::write_pieces(vorlaine::design::sheet::make_sheet(
        sheet->record, sheet->window, sheet->now, sheet->address,
        loads::sheet_additions(sheet->record, rows, modules)));
    return 0;
}

} // extern "C"
