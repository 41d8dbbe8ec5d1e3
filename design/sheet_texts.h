// The sizing sheet that is printed or kept as PDF, and the page's action that
// shows the link's code for a phone: their words, the rows they list and the
// measures of the page. Both editions lay out what design/sizing_sheet.cpp
// makes from these; captions come from the control table.
#pragma once

#include "design/window_state.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace vorlaine::design::sheet {

inline constexpr std::string_view title = "系统配置单";
inline constexpr std::string_view date = "日期";
inline constexpr std::string_view printed_at = "打印于";
inline constexpr std::string_view inputs = "输入";
inline constexpr std::string_view results = "结果";
inline constexpr std::string_view link = "链接";
inline constexpr std::string_view yes = "是";
inline constexpr std::string_view no = "否";
// A result the recorded 计算 did not write.
inline constexpr std::string_view not_written = "—";

// Lines that say what the sheet is a record of.
inline constexpr std::string_view changed_since =
    "计算之后窗口已有改动：此单所列是计算时的输入与结果。";
inline constexpr std::string_view not_calculated = "尚未计算：此单只列窗口中的输入，没有结果。";

// A value the link cannot carry follows its caption; a link too long for a code.
inline constexpr std::string_view left_out_of_link = "太长，未放入链接。";
inline constexpr std::string_view too_long_for_code = "链接太长，无法生成二维码。";
// Full-width brackets, around the time of printing and in the list's messages.
inline constexpr std::string_view open_bracket = "（";
inline constexpr std::string_view close_bracket = "）";
// A text too long to print whole: its start, then "…（共 N 个字符）".
inline constexpr std::string_view shortened_before = "…（共 ";
inline constexpr std::string_view shortened_after = " 个字符）";

// The page's action beside the window, and what its code says to do.
inline constexpr std::string_view phone_action = "在手机上打开";
inline constexpr std::string_view phone_hint = "用手机相机扫描此码，打开同样的输入";

// Ctrl+P on the desktop, when printing cannot start; the next Ctrl+P tries again.
inline constexpr std::string_view print_module_missing =
    "无法开始打印：打印模块未能载入。\r请再按一次 Ctrl+P。";
inline constexpr std::string_view printer_not_ready =
    "无法开始打印：打印机或文件未能打开。\r请再按一次 Ctrl+P。";

inline constexpr std::string_view hours = "小时";
inline constexpr std::string_view days = "天";
inline constexpr std::string_view radiation = "kJ/m²";

struct InputRow {
    std::string_view box;
    std::string_view unit;
};

// The boxes in the sheet's order, with their units. The sunshine box is
// captioned by the chosen kind and takes that kind's unit; the inverter's
// efficiency follows, only while an inverter is used.
inline constexpr std::array<InputRow, 9> kInputRows{{{"Text1", "W"},
                                                     {"Text2", "V"},
                                                     {"Text3", hours},
                                                     {"Text9", {}},
                                                     {"Text4", days},
                                                     {"Text5", days},
                                                     {"Text10", {}},
                                                     {"Text6", {}},
                                                     {"Text8", {}}}};
inline constexpr std::string_view kSunshineBox = "Text9";
// Option1 to Option4: hours, hours, a day's and a year's radiation.
inline constexpr std::array<std::string_view, 4> kSunshineUnits{hours, hours, radiation, radiation};
inline constexpr std::string_view kInverterBox = "Text7";

// The page: one A4 or Letter sheet. Every value and the printed link are
// shortened past these lengths (in characters), so that the longest inputs
// still wrap to at most two lines in their column and the sheet stays one page.
inline constexpr int kMarginMm = 15;
inline constexpr int kCaptionColumnMm = 50;
inline constexpr int kCodeMm = 40;      // the code's side, quiet zone included
inline constexpr int kQuietModules = 4; // the white border a reader needs
inline constexpr std::size_t kLongestValue = 40;
inline constexpr std::size_t kLongestLink = 300;
// The most bytes a link may have to be drawn as a code: what both editions'
// encoders fit in a version 40 code at medium error correction (the page's
// takes one byte less than the desktop's 2331).
inline constexpr std::size_t kLongestCode = 2330;

} // namespace vorlaine::design::sheet
