#include "sheet_link.h"

#include "design/control_table.h"
#include "design/window_state.h"

#include <optional>

namespace vorlaine::design::link {
namespace {

// Browsers write and read the address's fields in the form encoding; the
// editions must give the same bytes as the page's URLSearchParams, so it is
// written out here: letters, digits and *-._ stay, a blank is +, every other
// byte is %XX.
std::string encoded(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool alnum = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= 'a' && byte <= 'z');
        if (alnum || c == '*' || c == '-' || c == '.' || c == '_')
            out += c;
        else if (c == ' ')
            out += '+';
        else
            out += {'%', hex[byte >> 4], hex[byte & 15]};
    }
    return out;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// + is a blank, %XX a byte, a % without two hex digits stays as it is.
std::string decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? hex_digit(text[i + 1]) : -1;
        const int low = high >= 0 ? hex_digit(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i] == '+' ? ' ' : text[i];
        }
    }
    return out;
}

bool starts_checked(std::string_view name) {
    for (std::string_view each : kStartChecked)
        if (each == name)
            return true;
    return false;
}

std::optional<std::size_t> option_index(const calc::WindowInputs& inputs) {
    for (std::size_t i = 0; i < kSunshineOptions.size(); ++i)
        if (inputs.sunshine == kSunshineOptions[i].kind)
            return i;
    return std::nullopt;
}

// Well-formed UTF-8 only: a text that is not is not a text a box can hold.
bool is_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

} // namespace

std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

Written write(const calc::WindowInputs& inputs, std::string_view list) {
    Written out;
    const auto field = [&out](std::string_view name, std::string_view value) {
        if (!out.fragment.empty())
            out.fragment += '&';
        out.fragment.append(name).append("=").append(encoded(value));
    };
    if (const auto index = option_index(inputs);
        index && !starts_checked(kSunshineOptions[*index].name))
        field("Option", std::to_string(*index + 1));
    if ((inputs.check2 != 0) != starts_checked(kInverterCheck))
        field(kInverterCheck, inputs.check2 != 0 ? "1" : "0");
    for (std::size_t i = 0; i < kTextBoxes.size(); ++i) {
        const std::string& text = inputs.texts[i];
        if (text == design_text(kTextBoxes[i]))
            continue;
        if (characters(text) > kLongestText)
            out.left_out.push_back(kTextBoxes[i]);
        else
            field(kTextBoxes[i], text);
    }
    if (!list.empty())
        field(kListField, list);
    return out;
}

std::vector<std::pair<std::string, std::string>> read(std::string_view fragment) {
    std::vector<std::pair<std::string, std::string>> fields;
    while (!fragment.empty()) {
        const std::size_t end = std::min(fragment.find('&'), fragment.size());
        const std::string_view pair = fragment.substr(0, end);
        fragment.remove_prefix(std::min(end + 1, fragment.size()));
        const std::size_t equals = std::min(pair.find('='), pair.size());
        fields.emplace_back(decoded(pair.substr(0, equals)),
                            decoded(pair.substr(std::min(equals + 1, pair.size()))));
    }
    // A name given twice counts once, with its first value.
    const auto value = [&fields](std::string_view name) -> const std::string* {
        for (const auto& [n, v] : fields)
            if (n == name)
                return &v;
        return nullptr;
    };
    std::vector<std::pair<std::string, std::string>> usable;
    if (const std::string* option = value("Option");
        option && option->size() == 1 && (*option)[0] >= '1' &&
        (*option)[0] < static_cast<char>('1' + kSunshineOptions.size()))
        usable.emplace_back("Option", *option);
    if (const std::string* tick = value(kInverterCheck); tick && (*tick == "0" || *tick == "1"))
        usable.emplace_back(kInverterCheck, *tick);
    for (std::string_view box : kTextBoxes)
        if (const std::string* text = value(box);
            text && is_utf8(*text) && characters(*text) <= kLongestText)
            usable.emplace_back(box, *text);
    if (const std::string* list = value(kListField))
        usable.emplace_back(kListField, *list);
    return usable;
}

} // namespace vorlaine::design::link
