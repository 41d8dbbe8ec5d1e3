// The sizing sheet as both editions print it, made once from the record of
// the last 计算: its lines in order, each a kind of piece with its texts. The
// desktop paints them with Qt, the page gets them through its core and writes
// them as HTML; neither adds a word or a number of its own.
#pragma once

#include "calc/sizing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlaine::design::sheet {

// A local date and time, to the minute.
struct Moment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    bool operator==(const Moment&) const = default;
};

// One press of 计算: what it read, the captions it wrote (after a fault only
// some of the five), every notice it showed in order, and when.
struct Record {
    calc::WindowInputs read;
    std::vector<calc::CaptionWrite> wrote;
    std::vector<calc::Notice> notices;
    Moment pressed;
};

Record record_of(const calc::WindowInputs& read, const std::vector<calc::Effect>& effects,
                 Moment pressed);

enum class Part : std::uint8_t {
    Title,   // text
    Line,    // text: the date, what the sheet records, a value left out of the link
    Heading, // text
    Row,     // text: the caption, value: the value with its unit
    Notice,  // text: "title: text", lines ended by a bare carriage return
    Link,    // text: the link as printed, value: the whole link
    Code,    // text: the link to draw as a QR code, when it fits one
    Cells,   // text: a table row's cells, each ended by a tab
};

struct Piece {
    Part part;
    std::string text;
    std::string value;
    bool operator==(const Piece&) const = default;
};

// What a sheet may carry beside the window's own: pieces above the inputs and
// under the results, and a field the link carries after the window's.
struct Additions {
    std::vector<Piece> above_inputs;
    std::vector<Piece> under_results;
    std::string link_field; // as written, without the field's name
};

// The sheet of `record`, or of the window's inputs `window` alone when there is none
// (before any 计算, and after 清除); `window` also tells whether the window
// has changed since the record. The link is `address` with the recorded
// inputs, or none when the address is empty.
std::vector<Piece> make_sheet(const std::optional<Record>& record, const calc::WindowInputs& window,
                              Moment now, std::string_view address,
                              const Additions& additions = {});

// The link to `window` alone: its Link piece, a Line for each value left out
// or for a link too long for a code, and its Code piece when it fits one.
// `list` is the load list's field, if any.
std::vector<Piece> link_pieces(const calc::WindowInputs& window, std::string_view address,
                               std::string_view list = {});

// "2026-12-09 14:05"
std::string date_text(Moment moment);

// `text` whole, or its first `longest` characters, "…" and its length.
std::string shortened(std::string_view text, std::size_t longest);

} // namespace vorlaine::design::sheet
