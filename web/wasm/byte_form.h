// The byte form of the page's requests and the core's answers: little-endian
// 32-bit numbers, and texts as their length before their UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlaine::web {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> u32() {
        if (bytes_.size() - pos_ < 4)
            return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + static_cast<std::size_t>(i)]);
        pos_ += 4;
        return v;
    }
    std::optional<std::uint8_t> u8() {
        if (pos_ >= bytes_.size())
            return std::nullopt;
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::optional<std::string> text() {
        const std::optional<std::uint32_t> length = u32();
        if (!length || bytes_.size() - pos_ < *length)
            return std::nullopt;
        std::string out(bytes_.substr(pos_, *length));
        pos_ += *length;
        return out;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

inline void put_u32(std::string& out, std::size_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

inline void put_text(std::string& out, std::string_view text) {
    put_u32(out, text.size());
    out.append(text);
}

} // namespace vorlaine::web
