// The load list (负载清单) and the module plan (配置建议): their words, for
// the desktop's second window and the page's panel alike. The messages are
// put together by the rules in loads/, never by either edition.
#pragma once

#include "sheet_texts.h"

#include <array>
#include <string_view>

namespace vorlaine::design::loads {

inline constexpr std::string_view list_title = "负载清单";
inline constexpr std::string_view plan_title = "配置建议";
// The page's action beside the window, and the desktop's menu entry.
inline constexpr std::string_view open_action = "负载清单与配置建议";

// The columns, as a message names them, and their headings with units.
inline constexpr std::array<std::string_view, 4> columns{"名称", "数量", "功率", "时间"};
inline constexpr std::array<std::string_view, 4> headings{"名称", "数量", "功率(W)",
                                                          "每天工作时间(小时)"};
inline constexpr std::string_view row_word = "行";

inline constexpr std::string_view add_row = "添加一行";
inline constexpr std::string_view remove_row = "删除此行";
inline constexpr std::string_view fill_window = "填入负载功率和日平均工作时间";
inline constexpr std::string_view close = "关闭";

// One bad cell: "第3行 功率 必须大于0".
inline constexpr std::string_view row_prefix = "第";
inline constexpr std::string_view empty_cell = "未填写";
inline constexpr std::string_view not_a_number = "不是数字";
inline constexpr std::string_view must_be_positive = "必须大于0";
inline constexpr std::string_view at_most = "不能超过";
inline constexpr std::string_view count_rule = "必须是1到999的整数";
inline constexpr std::string_view name_rule = "不能超过40个字";
inline constexpr std::string_view no_rows = "清单中还没有负载";
inline constexpr std::string_view too_many_rows = "最多50行";

// The totals, and the energy the window will use once filled.
inline constexpr std::string_view total_power = "总功率 P";
inline constexpr std::string_view daily_energy = "每天用电量 E";
inline constexpr std::string_view window_energy = "窗口将用 P×H";
inline constexpr std::string_view window_hours = "H = E÷P";

// The module sizes, in the order the plan reads them.
inline constexpr std::array<std::string_view, 4> module_boxes{"蓄电池电压(V)", "蓄电池容量(Ah)",
                                                              "组件功率(W)", "组件工作电压(V)"};
inline constexpr std::array<std::string_view, 4> module_names{"蓄电池电压", "蓄电池容量",
                                                              "组件功率", "组件工作电压"};

inline constexpr std::string_view batteries = "蓄电池组：";
inline constexpr std::string_view panels = "太阳电池组件：";
inline constexpr std::string_view in_series = "块串联，";
inline constexpr std::string_view strings_in_parallel = "串并联，共";
inline constexpr std::string_view pieces = "块";
inline constexpr std::string_view bank = "；电池组";
inline constexpr std::string_view array_power = "；方阵功率";
inline constexpr std::string_view colon = "：";
inline constexpr std::string_view list_separator = "、";
// "蓄电池组：10V不适合24V的系统电压（24÷10不是整数）；适合的电压：24V、12V"
inline constexpr std::string_view does_not_fit = "不适合";
inline constexpr std::string_view system_voltage = "的系统电压";
inline constexpr std::string_view panel_voltage = "的组件电压";
inline constexpr std::string_view not_whole = "不是整数）；适合的电压：";
inline constexpr std::string_view open_bracket = sheet::open_bracket;
inline constexpr std::string_view too_many = "需要的数量过多";
inline constexpr std::string_view before_calculation = "按计算后，这里给出蓄电池和组件的配置";

} // namespace vorlaine::design::loads
