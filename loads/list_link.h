// The load list as one field of the page's link, so that a shared link or the
// phone's code opens the same list. What comes back from a link is bounded
// and checked for its shape; anything else in it is ignored.
#pragma once

#include "load_list.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlaine::loads {

// The longest field read back, in bytes, and the longest number cell.
inline constexpr std::size_t kMostLinkField = 4000;
inline constexpr std::size_t kMostNumberCell = 24;

// Rows joined by ';', cells by ',', and '%', ',' and ';' in a cell written as
// %25, %2C and %3B. The link's writer encodes the field as any other.
std::string encode_list(const std::vector<LoadRow>& rows);

// Nothing when the field is too long, has more than the most rows, a row
// without four cells, a broken escape, a control character, a name longer
// than the list allows or a number cell longer than kMostNumberCell.
std::optional<std::vector<LoadRow>> decode_list(std::string_view field);

} // namespace vorlaine::loads
