// Writes index.html of the web edition.
// Usage: page_generator TEMPLATE PICTURE_SVG STYLE SCRIPT OUTPUT
#include "page_writer.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace {

bool read_file(const char* path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return static_cast<bool>(in);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: page_generator TEMPLATE PICTURE_SVG STYLE SCRIPT OUTPUT\n";
        return 2;
    }
    std::string page_template;
    std::string picture;
    std::string style;
    std::string script;
    for (auto [path, text] : {std::pair{argv[1], &page_template}, std::pair{argv[2], &picture},
                              std::pair{argv[3], &style}, std::pair{argv[4], &script}}) {
        if (!read_file(path, *text)) {
            std::cerr << "page_generator: cannot read " << path << '\n';
            return 1;
        }
    }
    while (!picture.empty() && (picture.back() == '\n' || picture.back() == '\r'))
        picture.pop_back();
    std::string page;
    try {
        page = vorlaine::web::page_markup(page_template, picture, style, script);
    } catch (const std::invalid_argument& fault) {
        std::cerr << "page_generator: " << fault.what() << '\n';
        return 1;
    }
    std::ofstream out(argv[5], std::ios::binary);
    out << page;
    if (!out.flush()) {
        std::cerr << "page_generator: cannot write " << argv[5] << '\n';
        return 1;
    }
    return 0;
}
