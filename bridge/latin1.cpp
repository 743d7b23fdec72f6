#include "bridge/latin1.h"

#include <cstdint>

namespace zub {

namespace {

// Decodes the character at text[at], advancing at; nullopt when the bytes
// there are not a well-formed UTF-8 sequence.
std::optional<char32_t> decode(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    char32_t code = 0, smallest = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (length > text.size() - at) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) return std::nullopt;
        code = code << 6 | (byte(at + k) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    at += length;
    return code;
}

}  // namespace

bool is_valid_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();)
        if (!decode(text, at)) return false;
    return true;
}

std::optional<std::string> utf8_to_latin1(std::string_view utf8) {
    std::string latin1;
    latin1.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> code = decode(utf8, at);
        if (!code || *code > 0xFF) return std::nullopt;
        latin1 += static_cast<char>(*code);
    }
    return latin1;
}

std::string latin1_to_utf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (char c : latin1) {
        const auto code = static_cast<std::uint8_t>(c);
        if (code < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | code >> 6);
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

}  // namespace zub
