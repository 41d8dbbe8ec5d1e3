// The link that opens the window's inputs in the web edition: its fragment,
// written and read here for both editions, so that whatever is written is
// read back. Only what differs from the start state goes in, as a form's
// fields (Option=2&Check2=1&Text1=100).
#pragma once

#include "calc/window_inputs.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlaine::design::link {

// The one limit, in characters: a longer text is left out of the link.
inline constexpr std::size_t kLongestText = 100;

struct Written {
    std::string fragment;                   // without the '#'
    std::vector<std::string_view> left_out; // boxes whose text was too long
};

// The load list's field, after the window's: written when `list` is not
// empty, read back as it came.
inline constexpr std::string_view kListField = "Loads";

Written write(const calc::WindowInputs& inputs, std::string_view list = {});

// The fields of `fragment` the window can take, in the order to apply them:
// the option, the check box, then the boxes in their order. Unknown names,
// values out of range and texts over the limit are dropped. The list's field
// comes last, as it came.
std::vector<std::pair<std::string, std::string>> read(std::string_view fragment);

// Characters (code points) in a UTF-8 text.
std::size_t characters(std::string_view text);

} // namespace vorlaine::design::link
