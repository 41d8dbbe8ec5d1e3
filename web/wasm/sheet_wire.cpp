#include "sheet_wire.h"

#include "effects_wire.h"

#include "design/sheet_link.h"
#include "design/sizing_sheet.h"

namespace vorlaine::web {
namespace {

using design::sheet::Piece;

std::optional<design::sheet::Moment> read_moment(ByteReader& in) {
    std::array<int, 5> parts{};
    for (int& part : parts) {
        const std::optional<std::uint32_t> n = in.u32();
        if (!n)
            return std::nullopt;
        part = static_cast<int>(*n);
    }
    return design::sheet::Moment{parts[0], parts[1], parts[2], parts[3], parts[4]};
}

// A count, then that many pairs of texts; nothing when cut short.
std::optional<std::vector<std::pair<std::string, std::string>>> read_pairs(ByteReader& in) {
    const std::optional<std::uint32_t> count = in.u32();
    if (!count)
        return std::nullopt;
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::uint32_t i = 0; i < *count; ++i) {
        std::optional<std::string> first = in.text();
        std::optional<std::string> second = in.text();
        if (!first || !second)
            return std::nullopt;
        pairs.emplace_back(std::move(*first), std::move(*second));
    }
    return pairs;
}

std::optional<design::sheet::Record> read_record(ByteReader& in) {
    auto read = read_window_inputs(in);
    const auto wrote = read_pairs(in);
    const auto notices = read_pairs(in);
    const auto pressed = read_moment(in);
    if (!read || !wrote || !notices || !pressed)
        return std::nullopt;
    design::sheet::Record record{std::move(*read), {}, {}, *pressed};
    for (const auto& [label, text] : *wrote)
        record.wrote.push_back({label, text});
    for (const auto& [title, text] : *notices)
        record.notices.push_back({text, title});
    return record;
}

} // namespace

std::string write_pieces(const std::vector<Piece>& pieces) {
    std::string out;
    put_u32(out, pieces.size());
    for (const Piece& piece : pieces) {
        out.push_back(static_cast<char>(piece.part));
        put_text(out, piece.text);
        put_text(out, piece.value);
    }
    return out;
}

std::optional<SheetRequest> read_sheet_request(ByteReader& in) {
    const std::optional<std::uint8_t> has_record = in.u8();
    if (!has_record)
        return std::nullopt;
    std::optional<design::sheet::Record> record;
    if (*has_record == 1 && !(record = read_record(in)))
        return std::nullopt;
    auto window = read_window_inputs(in);
    const auto now = read_moment(in);
    auto address = in.text();
    if (!window || !now || !address)
        return std::nullopt;
    return SheetRequest{std::move(record), std::move(*window), *now, std::move(*address)};
}

std::optional<std::string> sheet_answer(std::string_view request) {
    ByteReader in(request);
    const auto sheet = read_sheet_request(in);
    if (!sheet)
        return std::nullopt;
    return write_pieces(
        design::sheet::make_sheet(sheet->record, sheet->window, sheet->now, sheet->address));
}

std::optional<std::string> link_answer(std::string_view request) {
    ByteReader in(request);
    const auto window = read_window_inputs(in);
    const auto address = in.text();
    const auto list = in.text();
    if (!window || !address)
        return std::nullopt;
    return write_pieces(design::sheet::link_pieces(*window, *address, list.value_or("")));
}

std::string link_fields_answer(std::string_view fragment) {
    std::vector<Piece> fields;
    for (auto& [name, value] : design::link::read(fragment))
        fields.push_back({design::sheet::Part{}, std::move(name), std::move(value)});
    return write_pieces(fields);
}

} // namespace vorlaine::web
