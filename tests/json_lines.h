// A small reader for the JSON Lines files of the reference cases: objects,
// arrays, strings, numbers, true, false and null, nothing more.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlaine::testing::json {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Value> items;      // an array's items, or an object's values
    std::vector<std::string> keys; // an object's keys, beside its values

    // The member `key` of an object; throws when there is none.
    const Value& operator[](std::string_view key) const;
    bool has(std::string_view key) const;
};

// Reads one JSON text; throws std::runtime_error naming the offset of a fault.
Value parse(std::string_view text);

// Every non-blank line of the file, read as one JSON text each.
std::vector<Value> read_lines(const std::string& path);

} // namespace vorlaine::testing::json
