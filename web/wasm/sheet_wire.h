// The byte form in which the page asks the core for the sizing sheet and the
// link, in the byte form of effects_wire.h. Each answer is a list of pieces:
// their count, then for each one its kind byte and two texts.
#pragma once

#include "byte_form.h"
#include "design/sizing_sheet.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorlaine::web {

// Request: one byte, 1 if a record follows; the record: its inputs (as a
// 计算's request), its writes (count, then label and text each), its notices
// (count, then title and text each) and its moment (year, month, day, hour,
// minute); then the window's inputs now, the moment now and the address.
// Answer: the sheet's pieces; nothing when the bytes are malformed.
std::optional<std::string> sheet_answer(std::string_view request);

// The same request as read, for a module that adds to the sheet; `in` is left
// after it. Nothing when the bytes are malformed.
struct SheetRequest {
    std::optional<design::sheet::Record> record;
    calc::WindowInputs window;
    design::sheet::Moment now;
    std::string address;
};
std::optional<SheetRequest> read_sheet_request(ByteReader& in);
std::string write_pieces(const std::vector<design::sheet::Piece>& pieces);

// Request: the inputs, the address, then the load list's field (may be
// empty or missing). Answer: the link's pieces.
std::optional<std::string> link_answer(std::string_view request);

// Request: a link's fragment. Answer: the fields the window takes, in the
// order to apply them, each as a piece of kind 0 with its name and value;
// the load list's field last, if the fragment has one.
std::string link_fields_answer(std::string_view fragment);

} // namespace vorlaine::web
