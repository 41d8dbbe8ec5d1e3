// The window's own texts that are not in its control table: its caption and
// the information box. Plain UTF-8, so the desktop window and the web page
// both take them from here.
#pragma once

#include <string_view>

namespace vorlaine::design::texts {

inline constexpr std::string_view window_caption = "Vorlaine";

// What a screen reader hears beyond the captions: the required boxes'
// description, the options' group, the picture, and what joins the parts of
// one announcement.
inline constexpr std::string_view required = "必填";
inline constexpr std::string_view sunshine_group = "日照数据类型";
inline constexpr std::string_view picture = "太阳能照明装置图";
inline constexpr std::string_view announcement_separator = "，";

// The page's key between its window and the actions beside it, and what its
// description says after naming it.
inline constexpr std::string_view region_key = "F6";
inline constexpr std::string_view region_key_use = " 键：在窗口和它旁边的操作之间移动";

// The one button of every notice.
inline constexpr std::string_view notice_ok = "确定";

inline constexpr std::string_view about_title = "信息";

// The web page's notice when its calculation could not be fetched: the boxes
// keep what was typed, and the next 计算 tries again.
inline constexpr std::string_view core_missing_text =
    "计算程序未能载入,无法计算。\r请检查网络连接,然后再按一次计算。";

// Four lines joined by a bare carriage return, blanks included as shown.
inline constexpr std::string_view about_text =
    "         Vorlaine             版本: 1.0 \r"
    "      此软件仅供大家参考 , 如有问题 , 请多多指教 ! \r"
    "编者:Vorlaine开发组  E-mail:vorlaine@example.org  QQ:无\r"
    "         Hollandry!";

} // namespace vorlaine::design::texts
