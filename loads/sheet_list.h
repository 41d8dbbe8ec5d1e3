// What the load list and the module plan add to the sizing sheet of a 计算,
// for both editions: the list above the inputs when it is what the 计算
// read, the plan under the results once the 计算 wrote them, and the list in
// the sheet's link when the sheet prints it.
#pragma once

#include "design/sizing_sheet.h"
#include "load_list.h"
#include "module_plan.h"

#include <optional>
#include <vector>

namespace vorlaine::loads {

design::sheet::Additions sheet_additions(const std::optional<design::sheet::Record>& record,
                                         const std::vector<LoadRow>& rows,
                                         const ModuleSizes& modules);

} // namespace vorlaine::loads
