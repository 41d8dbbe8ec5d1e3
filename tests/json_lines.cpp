#include "json_lines.h"

#include <fstream>
#include <stdexcept>

namespace vorlaine::testing::json {
namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Value document() {
        Value v = value();
        skip_blanks();
        if (pos_ != text_.size())
            fail("text after the value");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) const {
        throw std::runtime_error(std::string("json: ") + what + " at offset " +
                                 std::to_string(pos_));
    }
    void skip_blanks() {
        while (pos_ < text_.size() &&
               std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
    }
    char next() {
        if (pos_ >= text_.size())
            fail("unexpected end");
        return text_[pos_++];
    }
    void expect(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            fail("unknown word");
        pos_ += word.size();
    }

    Value value() {
        skip_blanks();
        Value v;
        if (pos_ >= text_.size())
            fail("missing value");
        switch (text_[pos_]) {
        case '{':
            return object();
        case '[':
            return array();
        case '"':
            v.kind = Value::Kind::String;
            v.text = string();
            return v;
        case 't':
            expect("true");
            v.kind = Value::Kind::Bool;
            v.boolean = true;
            return v;
        case 'f':
            expect("false");
            v.kind = Value::Kind::Bool;
            return v;
        case 'n':
            expect("null");
            return v;
        default:
            return number();
        }
    }

    Value object() {
        Value v;
        v.kind = Value::Kind::Object;
        ++pos_;
        skip_blanks();
        if (pos_ < text_.size() && text_[pos_] == '}')
            return ++pos_, v;
        for (;;) {
            skip_blanks();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                fail("expected a key");
            v.keys.push_back(string());
            skip_blanks();
            if (next() != ':')
                fail("expected ':'");
            v.items.push_back(value());
            skip_blanks();
            const char c = next();
            if (c == '}')
                return v;
            if (c != ',')
                fail("expected ',' or '}'");
        }
    }

    Value array() {
        Value v;
        v.kind = Value::Kind::Array;
        ++pos_;
        skip_blanks();
        if (pos_ < text_.size() && text_[pos_] == ']')
            return ++pos_, v;
        for (;;) {
            v.items.push_back(value());
            skip_blanks();
            const char c = next();
            if (c == ']')
                return v;
            if (c != ',')
                fail("expected ',' or ']'");
        }
    }

    Value number() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
        if (start == pos_)
            fail("unexpected character");
        Value v;
        v.kind = Value::Kind::Number;
        v.number = std::stod(std::string(text_.substr(start, pos_ - start)));
        return v;
    }

    unsigned hex4() {
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = next();
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= unsigned(c - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return code;
    }

    static void append_utf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    std::string string() {
        ++pos_; // the opening quote
        std::string out;
        for (;;) {
            const char c = next();
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            switch (const char e = next()) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                unsigned code = hex4();
                if (code >= 0xD800 && code < 0xDC00) { // a surrogate pair
                    if (next() != '\\' || next() != 'u')
                        fail("lone surrogate");
                    code = 0x10000 + ((code - 0xD800) << 10) + (hex4() - 0xDC00);
                }
                append_utf8(out, code);
                break;
            }
            default: // '"', '\\' and '/' stand for themselves
                out += e;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

const Value& Value::operator[](std::string_view key) const {
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return items[i];
    throw std::runtime_error("json: no member " + std::string(key));
}

bool Value::has(std::string_view key) const {
    for (const std::string& k : keys)
        if (k == key)
            return true;
    return false;
}

Value parse(std::string_view text) {
    return Parser(text).document();
}

std::vector<Value> read_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<Value> out;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        try {
            out.push_back(parse(line));
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return out;
}

} // namespace vorlaine::testing::json
