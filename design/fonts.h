// The window's two fonts as the families to ask for, most wanted first,
// written once: the desktop's fonts and the page's stylesheet variables are
// both made from them. Each edition ends a list with its own generic family.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace vorlaine::design {

struct FontFamilies {
    std::string_view variable;               // the page's variable, --name
    std::span<const std::string_view> names; // the first is the design's own
    bool serif;                              // the generic family that ends the list
};

// Every control's font unless the table says otherwise: a Chinese sans serif
// on Linux, Windows and macOS alike.
inline constexpr std::array<std::string_view, 7> kDialogFamilyNames{
    "WenQuanYi Micro Hei", "Microsoft YaHei",    "PingFang SC",        "Hiragino Sans GB",
    "Noto Sans CJK SC",    "Source Han Sans SC", "Droid Sans Fallback"};

// The slogan's 宋体, then the serif faces that stand in for it where it is
// missing (SimSun is its Latin name).
inline constexpr std::array<std::string_view, 8> kSloganFamilyNames{
    "宋体",           "SimSun",         "NSimSun",           "Songti SC",
    "AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC", "Source Han Serif SC"};

inline constexpr FontFamilies kDialogFamilies{"dialog-font", kDialogFamilyNames, false};
inline constexpr FontFamilies kSloganFamilies{"slogan-font", kSloganFamilyNames, true};
inline constexpr std::array kFontFamilies{kDialogFamilies, kSloganFamilies};

} // namespace vorlaine::design
