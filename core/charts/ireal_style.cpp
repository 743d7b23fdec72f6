#include "core/charts/ireal_style.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zub::Ireal_style {

namespace {

bool contains(std::string_view text, std::string_view word) {
    auto found = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return found != text.end();
}

struct Tempo {
    std::string_view word;
    int tempo;
};

// First word found wins, so the longer names come before the words inside them.
constexpr Tempo usual_tempos[] = {
    {"Ballad", 66},    {"Slow", 90},       {"Medium Up", 180}, {"Up Tempo", 240}, {"Fast", 240},
    {"Bossa", 130},    {"Samba", 180},     {"Waltz", 150},     {"Bolero", 100},   {"Funk", 100},
    {"Rock", 110},     {"Shuffle", 120},   {"Latin", 180},     {"Afro", 160},     {"Even 8ths", 140},
    {"Medium", 140},   {"Swing", 160},
};

}  // namespace

int style_type(std::string_view style, std::string_view groove) {
    for (std::string_view text : {style, groove}) {
        if (contains(text, "Waltz")) return 8;
        for (std::string_view word : {"Bossa", "Samba", "Brazil", "Choro", "Baiao", "Partido"})
            if (contains(text, word)) return 4;
    }
    return 1;
}

int usual_tempo(std::string_view style) {
    for (const auto& [word, tempo] : usual_tempos)
        if (contains(style, word)) return tempo;
    return 120;
}

std::string_view style_text(int type) {
    switch (type) {
        case 4: return "Bossa Nova";
        case 8: return "Jazz Waltz";
        default: return "Medium Swing";
    }
}

}  // namespace zub::Ireal_style
