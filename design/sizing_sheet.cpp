#include "sizing_sheet.h"

#include "design/control_table.h"
#include "design/sheet_link.h"
#include "design/sheet_texts.h"
#include "design/window_state.h"
#include "design/window_texts.h"

#include <initializer_list>
#include <variant>

namespace vorlaine::design::sheet {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Every text of the sheet is built by these two, out of line: the page
// loads the core on every first visit, and the sheet's speed does not count.
[[gnu::noinline]] std::string cat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts)
        out.append(part);
    return out;
}

[[gnu::noinline]] void add(std::vector<Piece>& out, Part part, std::string_view text,
                           std::string_view value = {}) {
    out.push_back({part, std::string(text), std::string(value)});
}

// A value as printed: without its outer blanks, shortened, then its unit.
std::string with_unit(std::string_view value, std::string_view unit) {
    const std::string text = shortened(trimmed(value), kLongestValue);
    return text.empty() || unit.empty() ? text : cat({text, " ", unit});
}

// The window always has an option selected; the core's first kind stands in
// for a record made without one.
std::size_t option_index(const calc::WindowInputs& window) {
    for (std::size_t i = 0; i < kSunshineOptions.size(); ++i)
        if (window.sunshine == kSunshineOptions[i].kind)
            return i;
    return 0;
}

const std::string& box_text(const calc::WindowInputs& window, std::string_view box) {
    std::size_t i = 0;
    while (kTextBoxes[i] != box)
        ++i;
    return window.texts[i];
}

bool same_inputs(const calc::WindowInputs& a, const calc::WindowInputs& b) {
    return a.texts == b.texts && (a.check2 != 0) == (b.check2 != 0) && a.sunshine == b.sunshine;
}

void add_inputs(std::vector<Piece>& out, const calc::WindowInputs& window) {
    add(out, Part::Heading, sheet::inputs);
    const std::size_t kind = option_index(window);
    const std::string_view kind_name = design_text(kSunshineOptions[kind].name);
    for (const InputRow& row : kInputRows) {
        const std::string& text = box_text(window, row.box);
        if (row.box == kSunshineBox) {
            add(out, Part::Row, texts::sunshine_group, kind_name);
            add(out, Part::Row, kind_name, with_unit(text, kSunshineUnits[kind]));
        } else {
            add(out, Part::Row, caption_naming(row.box), with_unit(text, row.unit));
        }
    }
    const bool inverter = window.check2 != 0;
    add(out, Part::Row, design_text(kInverterCheck), inverter ? yes : no);
    if (inverter)
        add(out, Part::Row, caption_naming(kInverterBox),
            with_unit(box_text(window, kInverterBox), {}));
}

void add_results(std::vector<Piece>& out, const Record& record) {
    add(out, Part::Heading, results);
    for (const ControlSpec* row : result_rows()) {
        std::string value(not_written);
        for (const calc::CaptionWrite& write : record.wrote)
            if (write.label == row->name)
                value = with_unit(write.text, {});
        add(out, Part::Row, row->result_name, value);
    }
    for (const calc::Notice& notice : record.notices)
        add(out, Part::Notice, cat({notice.title, ": ", notice.text}));
}

} // namespace

Record record_of(const calc::WindowInputs& read, const std::vector<calc::Effect>& effects,
                 Moment pressed) {
    Record record{read, {}, {}, pressed};
    for (const calc::Effect& effect : effects) {
        if (const auto* notice = std::get_if<calc::Notice>(&effect))
            record.notices.push_back(*notice);
        else
            record.wrote.push_back(std::get<calc::CaptionWrite>(effect));
    }
    return record;
}

std::string date_text(Moment m) {
    // Fixed widths, zeros in front: 2026-12-09 14:05.
    std::string text = "0000-00-00 00:00";
    const auto put = [&text](std::size_t end, int n) {
        for (std::size_t i = end; n > 0 && i-- > 0; n /= 10)
            text[i] = static_cast<char>('0' + n % 10);
    };
    put(4, m.year);
    put(7, m.month);
    put(10, m.day);
    put(13, m.hour);
    put(16, m.minute);
    return text;
}

std::string shortened(std::string_view text, std::size_t longest) {
    const std::size_t count = link::characters(text);
    if (count <= longest)
        return std::string(text);
    std::size_t end = 0;
    for (std::size_t kept = 0; end < text.size(); ++end)
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && kept++ == longest)
            break;
    return cat({text.substr(0, end), shortened_before, std::to_string(count), shortened_after});
}

std::vector<Piece> link_pieces(const calc::WindowInputs& window, std::string_view address,
                               std::string_view list) {
    const link::Written written = link::write(window, list);
    std::string whole(address);
    if (!written.fragment.empty())
        whole = cat({address, "#", written.fragment});
    std::vector<Piece> out{{Part::Link, shortened(whole, kLongestLink), whole}};
    for (std::string_view box : written.left_out)
        add(out, Part::Line, cat({caption_naming(box), left_out_of_link}));
    if (whole.size() > kLongestCode)
        add(out, Part::Line, too_long_for_code);
    else
        add(out, Part::Code, whole);
    return out;
}

std::vector<Piece> make_sheet(const std::optional<Record>& record, const calc::WindowInputs& window,
                              Moment now, std::string_view address, const Additions& additions) {
    std::vector<Piece> out;
    add(out, Part::Title, cat({texts::window_caption, " ", title}));
    const std::string pressed = date_text(record ? record->pressed : now);
    add(out, Part::Line,
        record && record->pressed != now ? cat({date, " ", pressed, open_bracket, printed_at, " ",
                                                date_text(now), close_bracket})
                                         : cat({date, " ", pressed}));
    if (!record)
        add(out, Part::Line, not_calculated);
    else if (!same_inputs(record->read, window))
        add(out, Part::Line, changed_since);
    const calc::WindowInputs& shown = record ? record->read : window;
    for (const Piece& piece : additions.above_inputs)
        add(out, piece.part, piece.text, piece.value);
    add_inputs(out, shown);
    if (record)
        add_results(out, *record);
    for (const Piece& piece : additions.under_results)
        add(out, piece.part, piece.text, piece.value);
    if (!address.empty()) {
        add(out, Part::Heading, link);
        for (Piece& piece : link_pieces(shown, address, additions.link_field))
            out.push_back(std::move(piece));
    }
    return out;
}

} // namespace vorlaine::design::sheet
