// The byte form in which the page asks the core for the sizing sheet and the
// link, in the byte form of effects_wire.h. Each answer is a list of pieces:
// their count, then for each one its kind byte and two texts.
#pragma once

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

// Request: the inputs, then the address. Answer: the link's pieces.
std::optional<std::string> link_answer(std::string_view request);

// Request: a link's fragment. Answer: the fields the window takes, in the
// order to apply them, each as a piece of kind 0 with its name and value.
std::string link_fields_answer(std::string_view fragment);

} // namespace vorlaine::web
