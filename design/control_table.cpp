#include "control_table.h"

#include "calc/sizing.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlaine::design {
namespace {

using enum Kind;
using enum Colour;
constexpr bool kFrame = true;
constexpr bool kForm = false;
constexpr int kNone = kNoTabStop;

// One row a control, kept one line each so the table reads as a table.
// clang-format off
constexpr std::array<ControlSpec, 44> kControls{{
    // The heading and the results.
    {"Label5", Label, "让 我 们 的 生 活 充 满 绿 色", 480, 360, 3855, 375, kForm, kNone, Green, Font::Slogan},
    {"Image1", Picture, nullptr, 6360, 240, 1935, 855, kForm, kNone},
    {"Label6", Label, "电池", 720, 1005, 615, 255, kForm, kNone},
    {"Label7", Label, "=", 1680, 1000, 300, 255, kForm, kNone},
    {"Label12", Label, "V", 2300, 1005, 1200, 255, kForm, kNone, Default, Font::Dialog, true, nullptr, "电池电压"},
    {"Label9", Label, "Ah", 4200, 1005, 1200, 255, kForm, kNone, Default, Font::Dialog, true, nullptr, "电池容量"},
    {"Label10", Label, "太阳能电池板", 360, 1500, 1200, 255, kForm, kNone},
    {"Label11", Label, "=", 1680, 1500, 300, 255, kForm, kNone},
    {"Label8", Label, "V", 2280, 1500, 1200, 255, kForm, kNone, Default, Font::Dialog, true, nullptr, "太阳能电池板电压"},
    {"Label13", Label, "W", 4200, 1500, 1200, 255, kForm, kNone, Default, Font::Dialog, true, nullptr, "太阳能电池板功率"},
    {"Label14", Label, "安装角度", 6200, 1500, 855, 255, kForm, kNone},
    {"Label15", Label, calc::kAngleUnit.data(), 7400, 1500, 1200, 255, kForm, kNone, Default, Font::Dialog, true, nullptr, "安装角度"},
    {"Line1", Line, nullptr, 120, 2040, 8880, 15, kForm, kNone},

    // The inputs, a caption label beside each text box.
    {"Label2", Label, "负载功率 ", 500, 2400, 1305, 255, kForm, kNone, DarkRed, Font::Dialog, true, "Text1"},
    {"Text1", TextBox, "", 2300, 2400, 1200, 350, kForm, 0},
    {"Label16", Label, "负载电压", 480, 3000, 1305, 255, kForm, kNone, DarkRed, Font::Dialog, true, "Text2"},
    {"Text2", TextBox, "", 2300, 3000, 1200, 350, kForm, 1},
    {"Label17", Label, "日平均工作时间 ", 500, 3600, 1300, 255, kForm, kNone, DarkRed, Font::Dialog, true, "Text3"},
    {"Text3", TextBox, "", 2300, 3600, 1200, 350, kForm, 2},
    {"Label18", Label, "有效日照时间", 495, 4200, 1080, 255, kForm, kNone, DarkRed, Font::Dialog, true, "Text9"},
    {"Text9", TextBox, "", 2300, 4200, 1200, 350, kForm, 29},
    {"Label3", Label, "阴雨天数", 500, 4800, 1300, 255, kForm, kNone, Default, Font::Dialog, true, "Text4"},
    {"Text4", TextBox, "1", 2280, 4800, 1200, 350, kForm, 3},
    {"Label21", Label, "阴雨天间格", 500, 5400, 1095, 255, kForm, kNone, Default, Font::Dialog, true, "Text5"},
    {"Text5", TextBox, "5", 2280, 5400, 1200, 350, kForm, 4},
    {"Label20", Label, "当地纬度", 500, 6000, 855, 255, kForm, kNone, Default, Font::Dialog, true, "Text10"},
    {"Text10", TextBox, "", 2280, 6000, 1200, 350, kForm, 41},
    {"Label19", Label, "电池放电深度   ", 4600, 2400, 1305, 255, kForm, kNone, Default, Font::Dialog, true, "Text6"},
    {"Text6", TextBox, "0.75", 6500, 2400, 1200, 350, kForm, 5},
    {"Label1", Label, "充放效率", 4605, 3000, 1305, 255, kForm, kNone, Default, Font::Dialog, true, "Text8"},
    {"Text8", TextBox, "0.85", 6500, 3000, 1200, 350, kForm, 9},
    {"Label4", Label, "逆变器效率  ", 4600, 3600, 1305, 255, kForm, kNone, Default, Font::Dialog, true, "Text7"},
    {"Text7", TextBox, "0.8", 6500, 3600, 1200, 350, kForm, 6},

    // The configuration frame and what it holds.
    {"Frame1", Frame, "系统计算配置", 4440, 4200, 3735, 2295, kForm, 30},
    {"Check1", CheckBox, "自动配置", 360, 360, 1200, 255, kFrame, 32, Default, Font::Dialog, false},
    {"Check2", CheckBox, "需要逆变器", 2100, 360, 1200, 255, kFrame, 31},
    {"Check3", CheckBox, "光跟踪支架", 360, 850, 1200, 255, kFrame, 33, Default, Font::Dialog, false},
    {"Check4", CheckBox, "移动式系统", 2100, 850, 1200, 255, kFrame, 34, Default, Font::Dialog, false},
    {"Option1", Option, "有效日照时间", 360, 1330, 1400, 255, kFrame, 35, DarkRed},
    {"Option2", Option, "平均日照时间", 2100, 1330, 1400, 255, kFrame, 36, DarkRed},
    {"Option3", Option, "平均日辐射量", 360, 1780, 1400, 255, kFrame, 38, DarkRed},
    {"Option4", Option, "平均年辐射量", 2100, 1780, 1400, 255, kFrame, 39, DarkRed},

    // The buttons.
    {"Command1", Button, "计算", 360, 7000, 4000, 500, kForm, 7},
    {"Command2", Button, "清除", 4800, 7000, 4000, 500, kForm, 8},
}};
// clang-format on

// A name the table does not hold is a fault of the program. The WebAssembly
// core is built without exceptions: there it stops.
[[noreturn]] void not_in_table(const std::string& what) {
#if defined(__cpp_exceptions)
    throw std::out_of_range(what);
#else
    (void)what;
    std::abort();
#endif
}

} // namespace

std::span<const ControlSpec> form1_controls() {
    return kControls;
}

const ControlSpec& form1_control(std::string_view name) {
    for (const ControlSpec& row : kControls)
        if (row.name == name)
            return row;
    not_in_table("Form1 has no control " + std::string(name));
}

std::string_view design_text(std::string_view name) {
    const char* caption = form1_control(name).caption;
    return caption ? caption : "";
}

std::span<const ControlSpec* const> result_rows() {
    static const std::vector<const ControlSpec*> rows = [] {
        std::vector<const ControlSpec*> found;
        for (const ControlSpec& row : kControls)
            if (row.result_name)
                found.push_back(&row);
        return found;
    }();
    return rows;
}

std::string_view caption_naming(std::string_view box) {
    for (const ControlSpec& row : kControls)
        if (row.buddy && row.buddy == box) {
            std::string_view caption = row.caption;
            return caption.substr(0, caption.find_last_not_of(' ') + 1);
        }
    not_in_table("no caption names " + std::string(box));
}

} // namespace vorlaine::design
