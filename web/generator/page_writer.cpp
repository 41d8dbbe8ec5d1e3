#include "page_writer.h"

#include "calc/notices.h"
#include "design/colours.h"
#include "design/load_texts.h"
#include "design/sheet_link.h"
#include "design/sheet_texts.h"
#include "design/window_state.h"
#include "design/window_texts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace vorlaine::web {
namespace {

using design::ControlSpec;
using design::Kind;
namespace texts = design::texts;

// The hidden element that holds the required boxes' description.
constexpr std::string_view kRequiredNote = "required-note";

// A control's name as it stands in a selector; the table's names are plain
// identifiers, and one that is not would be a fault of the table.
std::string row_name_token(const ControlSpec& row) {
    const std::string_view name = row.name;
    const auto plain = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    };
    if (name.empty() || !std::ranges::all_of(name, plain) || (name[0] >= '0' && name[0] <= '9'))
        throw std::logic_error("a control's name is not an identifier");
    return std::string(name);
}

std::string px(int twips) {
    return std::to_string(design::twips_to_pixels(twips)) + "px";
}

std::string rectangle_style(const ControlSpec& row) {
    return "left:" + px(row.left) + ";top:" + px(row.top) + ";width:" + px(row.width) +
           ";height:" + px(row.height);
}

// A tick box or an option is placed by the label around it, which has no id.
std::string placed_selector(const ControlSpec& row) {
    if (row.kind == Kind::CheckBox || row.kind == Kind::Option)
        return "[data-control=" + row_name_token(row) + "]";
    return "#" + row_name_token(row);
}

std::string classes_of(const ControlSpec& row) {
    std::string out = "control";
    if (const design::NamedColour* own = design::caption_colour(row.colour))
        out += " " + std::string(own->name);
    if (row.font == design::Font::Slogan)
        out += " slogan";
    return out;
}

// Every element placed on the window carries data-control with its name, so
// a program can find its box even where the named element is the input
// inside a label.
std::string placed(const ControlSpec& row) {
    return " data-control=\"" + html_escaped(row.name) + "\" class=\"" + classes_of(row) + "\"";
}

// The page is written as the window stands once it has started, so that it
// is drawn right before its script has run: the start's ticks and option,
// the inverter's controls greyed, the chosen option the group's one tab stop
// with its caption repeated, and the focus in the first stop.
template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

bool checked_at_start(const ControlSpec& row) {
    return listed(design::kStartChecked, row.name);
}

bool greyed_at_start(const ControlSpec& row) {
    return !row.enabled || listed(design::kInverterControls, row.name);
}

const ControlSpec& option_at_start() {
    for (std::string_view name : design::kStartChecked)
        if (const ControlSpec& row = design::form1_control(name); row.kind == Kind::Option)
            return row;
    throw std::logic_error("no option is selected at start");
}

bool takes_focus_at_start(const ControlSpec& row) {
    const bool stop = row.kind == Kind::TextBox || row.kind == Kind::Button ||
                      row.kind == Kind::CheckBox ||
                      (row.kind == Kind::Option && checked_at_start(row));
    return stop && row.tab_index != design::kNoTabStop && !greyed_at_start(row);
}

const ControlSpec& first_stop() {
    const ControlSpec* first = nullptr;
    for (const ControlSpec& row : design::form1_controls())
        if (takes_focus_at_start(row) && (!first || row.tab_index < first->tab_index))
            first = &row;
    if (!first)
        throw std::logic_error("the window has no tab stop");
    return *first;
}

std::string tab_index(const ControlSpec& row) {
    // Positive tab indexes come before everything else; the table's start at 0.
    const std::string own = std::to_string(row.tab_index + 1);
    std::string out = " tabindex=\"";
    // The options are one stop, at the chosen one; each keeps its own index
    // for when it is chosen.
    if (row.kind == Kind::Option)
        out += (checked_at_start(row) ? own : "-1") + "\" data-tab=\"" + own;
    else
        out += own;
    out += "\"";
    if (&row == &first_stop())
        out += " autofocus";
    return out;
}

std::string disabled(const ControlSpec& row) {
    return greyed_at_start(row) ? " disabled" : "";
}

// A required box says so, and numbers open the decimal keypad on a phone.
std::string box_attributes(const ControlSpec& row) {
    std::string out;
    if (design::is_required(row.name))
        out += " aria-required=\"true\" aria-describedby=\"" + std::string(kRequiredNote) + "\"";
    if (design::takes_numbers_only(row.name))
        out += " inputmode=\"decimal\"";
    return out;
}

std::string control_markup(const ControlSpec& row, std::string_view picture_svg) {
    const std::string name = html_escaped(row.name);
    const char* own_caption =
        row.name == design::kOptionCaptionLabel ? option_at_start().caption : row.caption;
    const std::string caption = html_escaped(own_caption ? own_caption : "");
    switch (row.kind) {
    case Kind::Label:
        // An output is a polite live region by its role; the page's one
        // announcement reads the results together instead.
        if (row.result_name)
            return "<output id=\"" + name + "\"" + placed(row) +
                   " aria-live=\"off\" aria-label=\"" + html_escaped(row.result_name) + "\">" +
                   caption + "</output>";
        if (row.buddy)
            return "<label id=\"" + name + "\" for=\"" + html_escaped(row.buddy) + "\"" +
                   placed(row) + (greyed_at_start(row) ? " aria-disabled=\"true\"" : "") + ">" +
                   caption + "</label>";
        return "<span id=\"" + name + "\"" + placed(row) + ">" + caption + "</span>";
    case Kind::TextBox:
        return "<input id=\"" + name + "\"" + placed(row) + " type=\"text\" value=\"" + caption +
               "\"" + tab_index(row) + disabled(row) + box_attributes(row) +
               " autocomplete=\"off\" spellcheck=\"false\">";
    case Kind::Button:
        return "<button id=\"" + name + "\"" + placed(row) + " type=\"button\"" + tab_index(row) +
               disabled(row) + ">" + caption + "</button>";
    case Kind::CheckBox:
    case Kind::Option: {
        const bool option = row.kind == Kind::Option;
        // autocomplete="off": a reload or Back must not bring back ticks
        // over the start the page is written in.
        return "<label" + placed(row) + "><input id=\"" + name + "\" type=\"" +
               (option ? "radio\" name=\"sunshine\"" : "checkbox\"") + tab_index(row) +
               disabled(row) + (checked_at_start(row) ? " checked" : "") +
               " autocomplete=\"off\"><span>" + caption + "</span></label>";
    }
    case Kind::Line:
        return "<div id=\"" + name + "\"" + placed(row) + " role=\"separator\"></div>";
    case Kind::Picture:
        return "<div id=\"" + name + "\"" + placed(row) + " role=\"img\" aria-label=\"" +
               html_escaped(texts::picture) + "\">" + std::string(picture_svg) + "</div>";
    case Kind::Frame:
        break; // written with its children by controls_markup
    }
    return {};
}

// A JSON array of `items`, each written by `write`.
template <typename Items, typename Write> std::string json_array(const Items& items, Write write) {
    std::string out = "[";
    for (const auto& item : items) {
        if (out.size() > 1)
            out += ',';
        out += write(item);
    }
    out += ']';
    return out;
}

void replace_all(std::string& text, std::string_view field, std::string_view value) {
    for (std::size_t at = text.find(field); at != std::string::npos;
         at = text.find(field, at + value.size()))
        text.replace(at, field.size(), value);
}

} // namespace

std::string css_colour(const design::NamedColour& colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(colour.rgb & 0xffffffU));
    return hex;
}

std::string css_font_families(const design::FontFamilies& fonts) {
    std::string out;
    for (std::string_view name : fonts.names)
        out += "\"" + std::string(name) + "\", ";
    return out + (fonts.serif ? "serif" : "sans-serif");
}

std::string style_variables() {
    std::string out = ":root {";
    for (const design::NamedColour& colour : {design::kDarkRedColour, design::kGreenColour})
        out += " --" + std::string(colour.name) + ": " + css_colour(colour) + ";";
    for (const design::FontFamilies& fonts : design::kFontFamilies)
        out += " --" + std::string(fonts.variable) + ": " + css_font_families(fonts) + ";";
    return out + " }\n";
}

std::string html_escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '<') {
            out += "\\u003c"; // never closes the script element it sits in
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string controls_markup(std::span<const ControlSpec> table, std::string_view picture_svg) {
    // The options' group has no box, so the options stay placed by the frame.
    const std::string group_opening =
        "<div role=\"radiogroup\" aria-label=\"" + html_escaped(texts::sunshine_group) + "\">\n";
    std::string out;
    for (const ControlSpec& row : table) {
        if (row.in_frame)
            continue;
        if (row.kind != Kind::Frame) {
            out += control_markup(row, picture_svg) + "\n";
            continue;
        }
        out += "<fieldset id=\"" + html_escaped(row.name) + "\"" + placed(row) + "><legend>" +
               html_escaped(row.caption ? row.caption : "") + "</legend>\n";
        bool in_group = false;
        for (const ControlSpec& child : table) {
            if (!child.in_frame)
                continue;
            if (in_group != (child.kind == Kind::Option))
                out += std::exchange(in_group, !in_group) ? "</div>\n" : group_opening;
            out += control_markup(child, picture_svg) + "\n";
        }
        out += in_group ? "</div>\n</fieldset>\n" : "</fieldset>\n";
    }
    return out;
}

std::string placement_rules(std::span<const ControlSpec> table) {
    std::string out =
        "\n#Form1{width:" + px(design::kFormWidth) + ";height:" + px(design::kFormHeight) + "}";
    for (const ControlSpec& row : table)
        out += placed_selector(row) + "{" + rectangle_style(row) + "}";
    return out;
}

bool holds_closing_tag(std::string_view text, std::string_view closing_tag) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    const auto at = std::search(text.begin(), text.end(), closing_tag.begin(), closing_tag.end(),
                                [&](char a, char b) { return lower(a) == lower(b); });
    return at != text.end();
}

namespace {

// What the page's sheet module adds to the core's pieces: the phone action's
// words and the page's measures.
std::string sheet_json() {
    namespace sheet = design::sheet;
    const auto word = [](std::string_view name, std::string_view text) {
        return json_string(name) + ":" + json_string(text);
    };
    const auto number = [](std::string_view name, int n) {
        return json_string(name) + ":" + std::to_string(n);
    };
    return "{" + word("action", sheet::phone_action) + "," + word("hint", sheet::phone_hint) + "," +
           number("margin", sheet::kMarginMm) + "," + number("caption", sheet::kCaptionColumnMm) +
           "," + number("code", sheet::kCodeMm) + "," + number("quiet", sheet::kQuietModules) + "}";
}

} // namespace

std::string window_texts_json() {
    const auto named = [](std::string_view id, std::string_view name) {
        return "{\"id\":" + json_string(id) + ",\"name\":" + json_string(name) + "}";
    };
    const auto result = [&](const ControlSpec* row) { return named(row->name, row->result_name); };
    return "{\"about_title\":" + json_string(texts::about_title) +
           ",\"about_text\":" + json_string(texts::about_text) +
           ",\"core_missing\":{\"title\":" + json_string(calc::notices::error_title) +
           ",\"text\":" + json_string(texts::core_missing_text) + "}" +
           ",\"start\":{\"checked\":" + json_array(design::kStartChecked, json_string) +
           ",\"disabled\":" + json_array(design::kInverterControls, json_string) +
           "},\"text_boxes\":" + json_array(design::kTextBoxes, json_string) +
           ",\"option_caption\":" + json_string(design::kOptionCaptionLabel) +
           ",\"clear_texts\":" + json_array(design::kClearOrder, json_string) +
           ",\"results\":" + json_array(design::result_rows(), result) +
           ",\"separator\":" + json_string(texts::announcement_separator) +
           ",\"rainy_days\":" + json_string(design::kRainyDaysBox) + ",\"rainy_interval\":" +
           named(design::kRainyIntervalBox, design::caption_naming(design::kRainyIntervalBox)) +
           ",\"inverter\":" + json_string(design::kInverterCheck) + ",\"sheet\":" + sheet_json() +
           ",\"loads\":{\"action\":" + json_string(design::loads::open_action) +
           ",\"field\":" + json_string(design::link::kListField) + "}}";
}

std::string page_markup(std::string_view page_template, std::string_view picture_svg,
                        std::string_view style, std::string_view script) {
    if (holds_closing_tag(style, "</style"))
        throw std::invalid_argument("the stylesheet holds </style");
    if (holds_closing_tag(script, "</script"))
        throw std::invalid_argument("the script holds </script");
    std::string page(page_template);
    replace_all(page, "@WINDOW_CAPTION@", html_escaped(texts::window_caption));
    replace_all(page, "@THEME_COLOUR@", css_colour(design::kGreenColour));
    replace_all(page, "@NOTICE_OK@", html_escaped(texts::notice_ok));
    replace_all(page, "@REQUIRED_NOTE@", std::string(kRequiredNote));
    replace_all(page, "@REQUIRED@", html_escaped(texts::required));
    replace_all(page, "@REGION_KEY@", html_escaped(texts::region_key));
    replace_all(page, "@REGION_KEY_USE@", html_escaped(texts::region_key_use));
    replace_all(page, "@WINDOW_TEXTS@", window_texts_json());
    replace_all(page, "@CONTROLS@", controls_markup(design::form1_controls(), picture_svg));
    // Last, so that nothing in them is taken for a field.
    replace_all(page, "@STYLE@",
                style_variables() + std::string(style) + placement_rules(design::form1_controls()));
    replace_all(page, "@SCRIPT@", script);
    return page;
}

} // namespace vorlaine::web
