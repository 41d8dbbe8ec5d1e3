// The two buffers a module of the page shares with its script: the script
// writes its request into `request` (sized by the export input_buffer) and
// reads the answer from `answer` (output_data, output_size); both stay valid
// until the next call. Each module links buffers.cpp once for the exports.
#pragma once

#include <string>

namespace vorlaine::web {

extern std::string request;
extern std::string answer;

} // namespace vorlaine::web
