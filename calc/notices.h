// The fixed texts of the notices the calculation shows.
#pragma once

#include <string_view>

namespace vorlaine::calc::notices {

inline constexpr std::string_view error_title = "错误";
inline constexpr std::string_view hint_title = "提示";

// 数傎 (not 数值) and 间格 (not 间隔) are intended: the notices read exactly
// as they always have, odd characters included.
inline constexpr std::string_view invalid_input = "请输入有效的数傎";
inline constexpr std::string_view zero_interval = "阴雨天间格天数不能 0";
inline constexpr std::string_view out_of_range =
    "您输入的数据为非常规值,如需对此计算.请升级本软件!";
inline constexpr std::string_view inverter_advice =
    "如果您使用的是电视,电脑一类的开关电源设备.可以用方波逆变器!\r"
    "如果您使用的是风扇电,洗衣机一类的感性设备.可以用修正正弦波逆变器!\r"
    "如果您使用的是通信,航天一类的精密设备.要使用正弦波逆变器!";

// Shown when the entered values lead to a division by zero or an overflow,
// and when a typed number is too large to be read at all.
inline constexpr std::string_view arithmetic_fault =
    "计算无法完成:输入的数值导致了除以零或数值溢出。\r"
    "请检查:日照数值是否为 0 或过小,电池放电深度、充放效率、逆变器效率是否为 0,"
    "以及输入的数值是否过大。";

} // namespace vorlaine::calc::notices
