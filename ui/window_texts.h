// The window's own texts that are not in its control table: its caption and
// the information box. Plain UTF-8, so the desktop window and the web page
// both take them from here.
#pragma once

#include <string_view>

namespace vorlaine::ui::texts {

inline constexpr std::string_view window_caption = "Vorlaine";

// The one button of every notice.
inline constexpr std::string_view notice_ok = "确定";

inline constexpr std::string_view about_title = "信息";

// Four lines joined by a bare carriage return, blanks included as shown.
inline constexpr std::string_view about_text =
    "         Vorlaine             版本: 1.0 \r"
    "      此软件仅供大家参考 , 如有问题 , 请多多指教 ! \r"
    "编者:Vorlaine开发组  E-mail:vorlaine@example.org  QQ:无\r"
    "         Hollandry!";

} // namespace vorlaine::ui::texts
