// One press of the compute button with inputs decoded from the fuzzer's bytes;
// the effects must come in the order the window applies them, and every caption
// must be a finite number with its unit.
//
// Input layout, chosen so that seeds are easy to write by hand:
//   byte 0   the inverter box (check2): its value modulo 3
//   byte 1   the sunshine option: modulo 5, 0 none, 1 effective hours,
//            2 average hours, 3 daily radiation, 4 annual radiation
//   rest     Text1 ... Text10 separated by 0x1f; missing texts are empty,
//            pieces after the tenth are ignored
// An ASCII digit in the first two bytes stands for its own value.
#include "calc/notices.h"
#include "calc/number_text.h"
#include "calc/sizing.h"
#include "fuzz_check.h"
#include "number_shape.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using namespace vorlaine;

namespace {

constexpr char kSeparator = '\x1f';

int header_value(std::uint8_t byte, int modulo) {
    const int v = byte >= '0' && byte <= '9' ? byte - '0' : byte;
    return v % modulo;
}

calc::WindowInputs decode(std::string_view bytes) {
    calc::WindowInputs in;
    in.check2 = header_value(static_cast<std::uint8_t>(bytes[0]), 3);
    constexpr std::array<std::optional<calc::SunshineKind>, 5> kOptions{
        std::nullopt, calc::SunshineKind::EffectiveHours, calc::SunshineKind::AverageHours,
        calc::SunshineKind::DailyRadiation, calc::SunshineKind::AnnualRadiation};
    in.sunshine =
        kOptions[static_cast<std::size_t>(header_value(static_cast<std::uint8_t>(bytes[1]), 5))];

    std::string_view rest = bytes.substr(2);
    for (std::string& text : in.texts) {
        const std::size_t end = rest.find(kSeparator);
        text = std::string(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest = rest.substr(end + 1);
    }
    return in;
}

struct Caption {
    std::string_view label;
    std::string_view unit; // empty for the angle, which repeats Text10
};
constexpr std::array<Caption, 5> kCaptionOrder{
    {{"Label12", "V"}, {"Label8", "V"}, {"Label9", "Ah"}, {"Label13", "W"}, {"Label15", ""}}};

bool is_fault(const calc::Effect& effect) {
    const auto* n = std::get_if<calc::Notice>(&effect);
    return n && n->text == calc::notices::arithmetic_fault &&
           n->title == calc::notices::error_title;
}

std::string listing(const std::vector<calc::Effect>& effects) {
    std::string out;
    for (const calc::Effect& e : effects) {
        if (const auto* c = std::get_if<calc::CaptionWrite>(&e))
            out += "\n      caption " + c->label + " = " + fuzz::quoted(c->text);
        else if (is_fault(e))
            out += "\n      notice: arithmetic fault";
        else
            out += "\n      notice " + fuzz::quoted(std::get<calc::Notice>(e).text.substr(0, 24)) +
                   "...";
    }
    return out;
}

void check_caption(const calc::CaptionWrite& write, const Caption& expected,
                   const calc::WindowInputs& in, const std::string& context) {
    if (expected.unit.empty()) {
        if (write.text != in.text(10) + "度")
            fuzz::fail("the angle caption is Text10 followed by 度", context);
        return;
    }
    const std::string_view text = write.text;
    if (text.size() <= expected.unit.size() || !text.ends_with(expected.unit))
        fuzz::fail("a caption ends with its unit", context);
    const std::string_view number = text.substr(0, text.size() - expected.unit.size());
    if (number.find("nan") != std::string_view::npos ||
        number.find("inf") != std::string_view::npos)
        fuzz::fail("no caption shows nan or inf", context);
    if (const std::string shape = fuzz::number_shape_fault(number, 7); !shape.empty())
        fuzz::fail("a caption's number is written as format_number writes a float",
                   shape + context);
    const std::optional<double> back = calc::parse_number(number);
    if (!back || !std::isfinite(*back) || !std::isfinite(static_cast<float>(*back)))
        fuzz::fail("a caption's number reads back as a finite float", context);
}

void check_effects(const calc::WindowInputs& in, const std::vector<calc::Effect>& effects) {
    const std::string context = listing(effects);
    std::size_t captions = 0;
    std::size_t faults = 0;
    for (std::size_t i = 0; i < effects.size(); ++i) {
        const calc::Effect& e = effects[i];
        if (is_fault(e)) {
            ++faults;
            if (captions > 0 && i + 1 != effects.size())
                fuzz::fail("a fault notice after captions is the last effect", context);
        } else if (const auto* n = std::get_if<calc::Notice>(&e)) {
            if (captions > 0)
                fuzz::fail("notices come before captions", context);
            if (n->title != calc::notices::error_title && n->title != calc::notices::hint_title)
                fuzz::fail("a notice is titled 错误 or 提示", context);
        } else {
            const auto& write = std::get<calc::CaptionWrite>(e);
            if (captions >= kCaptionOrder.size() || write.label != kCaptionOrder[captions].label)
                fuzz::fail("captions are written in the order Label12, Label8, Label9, "
                           "Label13, Label15",
                           context);
            check_caption(write, kCaptionOrder[captions], in, context);
            ++captions;
        }
    }
    if (faults > 1)
        fuzz::fail("at most one fault notice", context);
    const bool stopped_by_fault = !effects.empty() && is_fault(effects.back());
    if (captions > 0 && captions < kCaptionOrder.size() && !stopped_by_fault)
        fuzz::fail("either all five captions are written or a fault stops the writing", context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const calc::WindowInputs in = decode({reinterpret_cast<const char*>(data), size});
    check_effects(in, calc::calculate(in));
    return 0;
}
