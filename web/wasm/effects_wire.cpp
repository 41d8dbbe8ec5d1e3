#include "effects_wire.h"

#include "design/window_state.h"

#include <variant>

namespace vorlaine::web {
namespace {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> u32() {
        if (bytes_.size() - pos_ < 4)
            return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + static_cast<std::size_t>(i)]);
        pos_ += 4;
        return v;
    }
    std::optional<std::uint8_t> u8() {
        if (pos_ >= bytes_.size())
            return std::nullopt;
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::optional<std::string> text() {
        const std::optional<std::uint32_t> length = u32();
        if (!length || bytes_.size() - pos_ < *length)
            return std::nullopt;
        std::string out(bytes_.substr(pos_, *length));
        pos_ += *length;
        return out;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

void put_u32(std::string& out, std::size_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

void put_text(std::string& out, std::string_view text) {
    put_u32(out, text.size());
    out.append(text);
}

} // namespace

std::optional<calc::WindowInputs> read_window_inputs(std::string_view bytes) {
    ByteReader in(bytes);
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
