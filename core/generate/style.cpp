#include "core/generate/style.h"

#include <string>

#include "core/charts/style_codes.h"
#include "core/failure.h"

namespace zub::Styles {

namespace {

struct Coded {
    int code;
    Style style;
};

// Our codes, then BiaB's built-in styles nearest each.
constexpr Coded coded[] = {
    {Style_codes::bossa_nova, Style::bossa_nova},
    {Style_codes::ballad, Style::ballad},
    {Style_codes::two_feel, Style::two_feel},
    {Style_codes::even_eighths, Style::even_eighths},
    {Style_codes::latin, Style::latin},
    {Style_codes::funk, Style::funk},
    {Style_codes::shuffle, Style::shuffle},
    {3, Style::even_eighths},   // Country 4/4
    {6, Style::shuffle},        // Blues Shuffle
    {7, Style::even_eighths},   // Blues Straight
    {9, Style::ballad},         // Pop Ballad
    {10, Style::shuffle},       // Rock Shuffle
    {11, Style::even_eighths},  // Lite Rock
    {12, Style::even_eighths},  // Medium Rock
    {13, Style::even_eighths},  // Heavy Rock
    {14, Style::latin},         // Miami Sound
    {15, Style::even_eighths},  // Milly Pop
    {16, Style::funk},          // Funk
    {18, Style::latin},         // Rhumba
    {19, Style::latin},         // Cha Cha
    {24, Style::even_eighths},  // Reggae
};

Style of_code(int code) {
    for (const Coded& c : coded)
        if (c.code == code) return c.style;
    return Style::swing;
}

bool straight(Style style) {
    return style == Style::bossa_nova || style == Style::even_eighths || style == Style::latin ||
           style == Style::funk;
}

}  // namespace

Style style_of(const Chart::Style& style) {
    if (style.meter == 3) return Style::jazz_waltz;
    if (style.meter < 2 || style.meter > 7) throw Failure("Chart not in 4/4 time: " + std::to_string(style.meter));
    const Style coded_style = of_code(style.type);
    if (style.meter == 4) return coded_style;
    return straight(coded_style) ? Style::even_eighths : Style::swing;
}

std::vector<int> beat_groups(int meter) {
    switch (meter) {
        case 4: return {2, 2};
        case 5: return {3, 2};
        case 6: return {3, 3};
        case 7: return {4, 3};
        default: return {meter};
    }
}

const char* name(Style style) {
    switch (style) {
        case Style::jazz_waltz: return "jazz waltz";
        case Style::bossa_nova: return "bossa nova";
        case Style::ballad: return "ballad";
        case Style::two_feel: return "two-feel";
        case Style::even_eighths: return "even eighths";
        case Style::latin: return "latin";
        case Style::funk: return "funk";
        case Style::shuffle: return "shuffle";
        case Style::swing: break;
    }
    return "swing";
}

}  // namespace zub::Styles
