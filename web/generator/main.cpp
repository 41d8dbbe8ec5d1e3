// Writes index.html of the web edition.
// Usage: page_generator TEMPLATE PICTURE_SVG OUTPUT
#include "page_writer.h"

#include <fstream>
#include <iostream>
#include <sstream>

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
    if (argc != 4) {
        std::cerr << "usage: page_generator TEMPLATE PICTURE_SVG OUTPUT\n";
        return 2;
    }
    std::string page_template;
    std::string picture;
    if (!read_file(argv[1], page_template) || !read_file(argv[2], picture)) {
        std::cerr << "page_generator: cannot read " << argv[1] << " or " << argv[2] << '\n';
        return 1;
    }
    while (!picture.empty() && (picture.back() == '\n' || picture.back() == '\r'))
        picture.pop_back();
    std::ofstream out(argv[3], std::ios::binary);
    out << vorlaine::web::page_markup(page_template, picture);
    if (!out.flush()) {
        std::cerr << "page_generator: cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
