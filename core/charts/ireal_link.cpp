#include "core/charts/ireal_link.h"

#include <algorithm>
#include <array>

namespace zub::Ireal_link {

namespace {

constexpr std::size_t block_size = 50;

// Whether position i of a scrambled block takes the character at 49 - i.
constexpr std::array<bool, block_size> swapped_positions = [] {
    std::array<bool, block_size> swapped{};
    for (std::size_t i = 0; i < block_size; ++i)
        swapped[i] = i <= 4 || (i >= 10 && i <= 23) || (i >= 26 && i <= 39) || i >= 45;
    return swapped;
}();

// Byte offsets of the code points of text, and the end: a lead byte starts a
// code point, continuation bytes follow it, a stray byte stands alone.
std::vector<std::size_t> code_point_starts(std::string_view text) {
    std::vector<std::size_t> starts;
    starts.reserve(text.size() + 1);
    for (std::size_t k = 0; k < text.size();) {
        starts.push_back(k);
        const auto lead = static_cast<unsigned char>(text[k]);
        std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::size_t next = k + 1;
        while (next < text.size() && next < k + length && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        k = next;
    }
    starts.push_back(text.size());
    return starts;
}

// The block permutation, its own inverse, over code points.
std::string permute(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        std::string result(text);
        for (std::size_t block = 0; block + block_size + 2 <= text.size(); block += block_size)
            for (std::size_t i = 0; i < block_size; ++i)
                if (swapped_positions[i]) result[block + i] = text[block + block_size - 1 - i];
        return result;
    }
    const auto starts = code_point_starts(text);
    const std::size_t count = starts.size() - 1;
    auto unit = [&](std::size_t k) { return text.substr(starts[k], starts[k + 1] - starts[k]); };
    std::string result;
    result.reserve(text.size());
    std::size_t k = 0;
    for (; k + block_size + 2 <= count; k += block_size)
        for (std::size_t i = 0; i < block_size; ++i) result += unit(swapped_positions[i] ? k + block_size - 1 - i : k + i);
    for (; k < count; ++k) result += unit(k);
    return result;
}

// Replaces every from by to (of the same length), left to right.
void substitute(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

// The characters that end a link in text: a quote or angle bracket of HTML, a blank.
constexpr std::array<bool, 256> link_end = [] {
    std::array<bool, 256> ends{};
    for (unsigned char c : std::string_view("\"<> \t\n\r")) ends[c] = true;
    return ends;
}();

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<std::string_view> find_links(std::string_view text) {
    std::vector<std::string_view> links;
    std::size_t pos = 0;
    while (true) {
        const std::size_t modern = text.find("irealb://", pos);
        const std::size_t old = text.find("irealbook://", pos);
        const std::size_t start = std::min(modern, old);
        if (start == std::string_view::npos) break;
        std::size_t end = start;
        while (end < text.size() && !link_end[static_cast<unsigned char>(text[end])]) ++end;
        links.push_back(text.substr(start, end - start));
        pos = end;
    }
    return links;
}

std::string percent_decode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    std::size_t k = 0;
    while (k < text.size()) {
        const std::size_t percent = std::min(text.find('%', k), text.size());
        decoded.append(text.substr(k, percent - k));
        k = percent;
        if (k == text.size()) break;
        if (k + 2 < text.size() && hex_value(text[k + 1]) >= 0 && hex_value(text[k + 2]) >= 0) {
            decoded += static_cast<char>(hex_value(text[k + 1]) * 16 + hex_value(text[k + 2]));
            k += 3;
        } else {
            decoded += '%';
            ++k;
        }
    }
    return decoded;
}

std::string percent_encode(std::string_view text) {
    static constexpr std::string_view literal = "-_.!~*'()";
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           literal.find(c) != std::string_view::npos;
        if (plain) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += digits[byte >> 4];
            encoded += digits[byte & 15];
        }
    }
    return encoded;
}

std::string unscramble(std::string_view music) { return expand(permute(music)); }

std::string expand(std::string_view progression) {
    std::string text(progression);
    substitute(text, "XyQ", "   ");
    substitute(text, "LZ", " |");
    substitute(text, "Kcl", "| x");
    return text;
}

std::string scramble(std::string_view progression) {
    std::string text(progression);
    substitute(text, "   ", "XyQ");
    substitute(text, " |", "LZ");
    substitute(text, "| x", "Kcl");
    return std::string(music_prefix) + permute(text);
}

}  // namespace zub::Ireal_link
