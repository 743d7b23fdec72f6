#include "core/charts/style_codes.h"

namespace zub::Style_codes {

namespace {

struct Named {
    int code;
    std::string_view name;
    int biab;
};

constexpr Named styles[] = {
    {swing, "Swing", 1},          {bossa_nova, "Bossa Nova", 4}, {jazz_waltz, "Jazz Waltz", 8},
    {ballad, "Ballad", 9},        {two_feel, "Two-Feel", 1},     {even_eighths, "Even 8ths", 11},
    {latin, "Latin", 18},         {funk, "Funk", 16},            {shuffle, "Shuffle", 6},
};

}  // namespace

std::optional<int> of_name(std::string_view text) {
    for (const Named& s : styles)
        if (s.name == text) return s.code;
    return std::nullopt;
}

std::string_view name(int code) {
    for (const Named& s : styles)
        if (s.code == code) return s.name;
    return "Swing";
}

int biab_code(int code) {
    for (const Named& s : styles)
        if (s.code == code) return s.biab;
    return code;
}

}  // namespace zub::Style_codes
