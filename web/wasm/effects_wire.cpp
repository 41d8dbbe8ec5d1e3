#include "effects_wire.h"

#include "byte_form.h"

#include "design/window_state.h"

#include <variant>

namespace vorlaine::web {

std::optional<calc::WindowInputs> read_window_inputs(std::string_view bytes) {
    ByteReader in(bytes);
    return read_window_inputs(in);
}

std::optional<calc::WindowInputs> read_window_inputs(ByteReader& in) {
    calc::WindowInputs window;
    for (std::string& text : window.texts) {
        std::optional<std::string> t = in.text();
        if (!t)
            return std::nullopt;
        text = std::move(*t);
    }
    const std::optional<std::uint8_t> check2 = in.u8();
    const std::optional<std::uint8_t> option = in.u8();
    if (!check2 || !option || *option > design::kSunshineOptions.size())
        return std::nullopt;
    window.check2 = *check2;
    if (*option > 0)
        window.sunshine = design::kSunshineOptions[*option - 1U].kind;
    return window;
}

std::string write_effects(const std::vector<calc::Effect>& effects) {
    std::string out;
    put_u32(out, effects.size());
    for (const calc::Effect& effect : effects) {
        if (const auto* notice = std::get_if<calc::Notice>(&effect)) {
            out.push_back(0);
            put_text(out, notice->title);
            put_text(out, notice->text);
        } else {
            const auto& caption = std::get<calc::CaptionWrite>(effect);
            out.push_back(1);
            put_text(out, caption.label);
            put_text(out, caption.text);
        }
    }
    return out;
}

} // namespace vorlaine::web
