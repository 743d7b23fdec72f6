#include "bridge/style_names.h"

#include <limits>

#include "core/charts/style_codes.h"

namespace zub {

std::vector<std::string> styleNames() {
    return {"Swing", "Bossa Nova", "Jazz Waltz", "Ballad", "Two-Feel", "Even 8ths", "Latin", "Funk", "Shuffle"};
}

std::optional<std::int64_t> styleCodeOfName(std::string_view name) {
    const std::optional<int> code = Style_codes::of_name(name);
    if (!code) return std::nullopt;
    return *code;
}

std::string styleNameOfCode(std::int64_t code) {
    const bool fits = code >= std::numeric_limits<int>::min() && code <= std::numeric_limits<int>::max();
    return std::string(fits ? Style_codes::name(static_cast<int>(code)) : Style_codes::name(Style_codes::swing));
}

std::optional<std::string> biabFileType(std::int64_t code) {
    constexpr std::int64_t digits = 10, letters = 26;
    if (code < 0 || code >= digits + letters) return std::nullopt;
    const std::int64_t biab = Style_codes::biab_code(static_cast<int>(code));
    if (biab < 0 || biab >= digits + letters) return std::nullopt;
    const char last = biab < digits ? static_cast<char>('0' + biab) : static_cast<char>('A' + (biab - digits));
    return std::string("sg") + last;
}

Plist chartWithStyle(const Plist& chart, std::int64_t code) {
    const Plist& style = chart.dictionary_at("Style");
    return chart.with("Style", style.with("StyleType", Plist::make_integer(code)));
}

}  // namespace zub
