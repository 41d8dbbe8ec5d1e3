// The sizing sheet that is printed or kept as PDF, and the page's action that
// shows the link's code for a phone: their words and the rows they list. Both
// editions build the sheet from here; captions come from the control table.
#pragma once

#include <array>
#include <string_view>

namespace vorlaine::design::sheet {

inline constexpr std::string_view title = "系统配置单";
inline constexpr std::string_view date = "日期";
inline constexpr std::string_view inputs = "输入";
inline constexpr std::string_view results = "结果";
inline constexpr std::string_view link = "链接";
inline constexpr std::string_view yes = "是";
inline constexpr std::string_view no = "否";

// The page's action beside the window, and what its code says to do.
inline constexpr std::string_view phone_action = "在手机上打开";
inline constexpr std::string_view phone_hint = "用手机相机扫描此码，打开同样的输入";

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
inline constexpr std::string_view kInverterCheck = "Check2";
inline constexpr std::string_view kInverterBox = "Text7";

} // namespace vorlaine::design::sheet
