#include "sizing_sheet.h"

#include "design/control_table.h"
#include "design/sheet_link.h"
#include "design/sheet_texts.h"
#include "design/window_state.h"
#include "design/window_texts.h"

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

std::string joined(std::string_view a, std::string_view separator, std::string_view b) {
    return std::string(a).append(separator).append(b);
}

// A value as printed: without its outer blanks, shortened, then its unit.
std::string with_unit(std::string_view value, std::string_view unit) {
    const std::string text = shortened(trimmed(value), kLongestValue);
    return text.empty() || unit.empty() ? text : joined(text, " ", unit);
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
    out.push_back({Part::Heading, std::string(sheet::inputs), {}});
    const std::size_t kind = option_index(window);
    const std::string_view kind_name = design_text(kSunshineOptions[kind].name);
    for (const InputRow& row : kInputRows) {
        const std::string& text = box_text(window, row.box);
        if (row.box == kSunshineBox) {
            out.push_back({Part::Row, std::string(texts::sunshine_group), std::string(kind_name)});
            out.push_back(
                {Part::Row, std::string(kind_name), with_unit(text, kSunshineUnits[kind])});
        } else {
            out.push_back(
                {Part::Row, std::string(caption_naming(row.box)), with_unit(text, row.unit)});
        }
    }
    const bool inverter = window.check2 != 0;
    out.push_back(
        {Part::Row, std::string(design_text(kInverterCheck)), std::string(inverter ? yes : no)});
    if (inverter)
        out.push_back({Part::Row, std::string(caption_naming(kInverterBox)),
                       with_unit(box_text(window, kInverterBox), {})});
}

void add_results(std::vector<Piece>& out, const Record& record) {
    out.push_back({Part::Heading, std::string(results), {}});
    for (const ControlSpec* row : result_rows()) {
        std::string value(not_written);
        for (const calc::CaptionWrite& write : record.wrote)
            if (write.label == row->name)
                value = with_unit(write.text, {});
        out.push_back({Part::Row, row->result_name, value});
    }
    for (const calc::Notice& notice : record.notices)
        out.push_back({Part::Notice, joined(notice.title, ": ", notice.text), {}});
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
    const auto digits = [](int n, int width) {
        std::string text = std::to_string(n);
        return std::string(text.size() < static_cast<std::size_t>(width)
                               ? static_cast<std::size_t>(width) - text.size()
                               : 0,
                           '0') +
               text;
    };
    return digits(m.year, 4) + "-" + digits(m.month, 2) + "-" + digits(m.day, 2) + " " +
           digits(m.hour, 2) + ":" + digits(m.minute, 2);
}

std::string shortened(std::string_view text, std::size_t longest) {
    const std::size_t count = link::characters(text);
    if (count <= longest)
        return std::string(text);
    std::size_t end = 0;
    for (std::size_t kept = 0; end < text.size(); ++end)
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && kept++ == longest)
            break;
    return std::string(text.substr(0, end))
        .append(shortened_before)
        .append(std::to_string(count))
        .append(shortened_after);
}

std::vector<Piece> link_pieces(const calc::WindowInputs& window, std::string_view address) {
    const link::Written written = link::write(window);
    std::string whole(address);
    if (!written.fragment.empty())
        whole.append("#").append(written.fragment);
    std::vector<Piece> out{{Part::Link, shortened(whole, kLongestLink), whole}};
    for (std::string_view box : written.left_out)
        out.push_back({Part::Line, joined(caption_naming(box), "", left_out_of_link), {}});
    if (whole.size() > kLongestCode)
        out.push_back({Part::Line, std::string(too_long_for_code), {}});
    else
        out.push_back({Part::Code, whole, {}});
    return out;
}

std::vector<Piece> make_sheet(const std::optional<Record>& record, const calc::WindowInputs& window,
                              Moment now, std::string_view address) {
    std::vector<Piece> out{{Part::Title, joined(texts::window_caption, " ", title), {}}};
    std::string date_line = joined(date, " ", date_text(record ? record->pressed : now));
    if (record && record->pressed != now)
        date_line.append("（").append(printed_at).append(" ").append(date_text(now)).append("）");
    out.push_back({Part::Line, date_line, {}});
    if (!record)
        out.push_back({Part::Line, std::string(not_calculated), {}});
    else if (!same_inputs(record->read, window))
        out.push_back({Part::Line, std::string(changed_since), {}});
    const calc::WindowInputs& shown = record ? record->read : window;
    add_inputs(out, shown);
    if (record)
        add_results(out, *record);
    if (!address.empty()) {
        out.push_back({Part::Heading, std::string(link), {}});
        for (Piece& piece : link_pieces(shown, address))
            out.push_back(std::move(piece));
    }
    return out;
}

} // namespace vorlaine::design::sheet
