#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace vorlaine::fuzz {

void fail(std::string_view property, const std::string& detail) {
    std::fprintf(stderr, "\n*** property broken: %.*s\n    %s\n", static_cast<int>(property.size()),
                 property.data(), detail.c_str());
    std::abort();
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7f) {
            out += c;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", byte);
            out += buf;
        }
    }
    return out + "\"";
}

std::string describe(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g (%a)", value, value);
    return buf;
}

} // namespace vorlaine::fuzz
