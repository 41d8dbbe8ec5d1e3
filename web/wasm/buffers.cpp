#include "buffers.h"

#include <cstdint>

namespace vorlaine::web {

std::string request;
std::string answer;

} // namespace vorlaine::web

extern "C" {

// Room for `size` bytes of request.
__attribute__((export_name("input_buffer"))) char* input_buffer(std::uint32_t size) {
    vorlaine::web::request.resize(size);
    return vorlaine::web::request.data();
}

__attribute__((export_name("output_data"))) const char* output_data() {
    return vorlaine::web::answer.data();
}

__attribute__((export_name("output_size"))) std::uint32_t output_size() {
    return static_cast<std::uint32_t>(vorlaine::web::answer.size());
}

} // extern "C"
