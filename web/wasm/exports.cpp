// The functions the page calls in the WebAssembly module. The page writes its
// request into the input buffer, calls one function, and reads the answer
// from the output buffer; both stay valid until the next call.
#include "buffers.h"
#include "effects_wire.h"
#include "sheet_wire.h"

#include "calc/sizing.h"

#include <cstdint>
#include <string>

namespace {

std::string& input = vorlaine::web::request;
std::string& output = vorlaine::web::answer;

void answer(const std::vector<vorlaine::calc::Effect>& effects) {
    output = vorlaine::web::write_effects(effects);
}

// The answer, or 1 when the request bytes were malformed.
int answer_or_malformed(std::optional<std::string> pieces) {
    if (!pieces)
        return 1;
    output = std::move(*pieces);
    return 0;
}

} // namespace

extern "C" {

// One press of 计算: the window's inputs in, the ordered effects out.
// Returns 0, or 1 when the request bytes are malformed.
__attribute__((export_name("calculate"))) int calculate() {
    const auto window = vorlaine::web::read_window_inputs(input);
    if (!window)
        return 1;
    answer(vorlaine::calc::calculate(*window));
    return 0;
}

// A change of the rainy-days box, its text being the whole request.
__attribute__((export_name("rainy_interval"))) int rainy_interval() {
    answer(vorlaine::calc::rainy_days_changed(input));
    return 0;
}

// The sizing sheet of a record, or of the window alone (sheet_wire.h).
// Returns 0, or 1 when the request bytes are malformed.
__attribute__((export_name("sizing_sheet"))) int sizing_sheet() {
    return answer_or_malformed(vorlaine::web::sheet_answer(input));
}

// The link to the window's inputs, for the page's address and its phone
// action. Returns 0, or 1 when the request bytes are malformed.
__attribute__((export_name("link"))) int link() {
    return answer_or_malformed(vorlaine::web::link_answer(input));
}

// The fields of a link's fragment that the window takes, in order.
__attribute__((export_name("link_fields"))) int link_fields() {
    output = vorlaine::web::link_fields_answer(input);
    return 0;
}

// `count` calculations over the current request, for the benchmark; returns
// how many effects the last one had.
__attribute__((export_name("calculate_repeatedly"))) std::uint32_t
calculate_repeatedly(std::uint32_t count) {
    const auto window = vorlaine::web::read_window_inputs(input);
    if (!window)
        return 0;
    std::size_t last = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::vector<vorlaine::calc::Effect> effects = vorlaine::calc::calculate(*window);
        last = effects.size();
    }
    return static_cast<std::uint32_t>(last);
}

} // extern "C"
