// The load list's link field from any bytes, and the list and the plan read
// from what it gives: a field is refused or gives rows within the bounds that
// write back to the same field's rows; checking and planning never fail, and
// the texts that fill the window read back as numbers in the window's range.
#include "calc/number_text.h"
#include "fuzz_check.h"
#include "loads/list_link.h"
#include "loads/load_list.h"
#include "loads/module_plan.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace vorlaine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto rows = loads::decode_list(bytes);
    if (!rows)
        return 0;
    if (size > loads::kMostLinkField || rows->size() > loads::kMostRows)
        fuzz::fail("a field beyond the bounds was read", fuzz::quoted(bytes));
    if (loads::decode_list(loads::encode_list(*rows)) != rows)
        fuzz::fail("the rows do not write back to themselves", fuzz::quoted(bytes));

    const loads::ListCheck check = loads::check_list(*rows);
    if (check.fillable) {
        const auto power = calc::parse_number(check.power_text);
        const auto hours = calc::parse_number(check.hours_text);
        if (!power || *power != check.power || !hours || *hours < 0 || *hours > 24)
            fuzz::fail("fill texts out of range", check.power_text + " " + check.hours_text);
    }
    for (const loads::LoadRow& row : *rows)
        loads::plan_modules(loads::ShownResults{row.name, row.count, row.power, row.hours},
                            loads::ModuleSizes{row.hours, row.power, row.count, row.name});
    return 0;
}
