#include "core/charts/ireal_style.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/charts/style_codes.h"

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

// A word or phrase of the text, compared without case, not inside a longer
// word ("Son" is not in "Sonny").
bool has_word(std::string_view text, std::string_view word) {
    const auto is_letter = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (!contains(text.substr(at, word.size()), word)) continue;
        const bool starts = at == 0 || !is_letter(text[at - 1]);
        const bool ends = at + word.size() == text.size() || !is_letter(text[at + word.size()]);
        if (starts && ends) return true;
    }
    return false;
}

struct Feel {
    int code;
    std::vector<std::string_view> words;
};

// iReal Pro's style names and grooves to the nearest style, the first row with
// a matching word winning; unknown names keep swing.
const std::vector<Feel> feels = {
    {Style_codes::jazz_waltz, {"Waltz"}},
    {Style_codes::bossa_nova, {"Bossa", "Samba", "Brazil", "Choro", "Baiao", "Partido Alto", "Bossa Nova"}},
    {Style_codes::ballad, {"Ballad"}},
    {Style_codes::two_feel,
     {"Swing Two/Four", "Two-Beat", "Two Beat", "Two-Feel", "Two Feel", "Dixieland", "Trad Jazz", "New Orleans"}},
    {Style_codes::latin,
     {"Latin", "Afro", "Mambo", "Cha Cha", "Cha Cha Cha", "Son", "Son Montuno", "Salsa", "Rumba", "Songo", "Bolero",
      "Guaguanco", "Cuba", "Cuban", "Merengue", "Calypso", "Tango"}},
    {Style_codes::shuffle, {"Shuffle", "12/8", "Boogie"}},
    {Style_codes::funk, {"Funk", "RnB", "R&B", "Hip Hop", "Second Line"}},
    {Style_codes::even_eighths,
     {"Even 8ths", "Even 16ths", "Even", "Pop", "Rock", "Soul", "Folk", "Country", "Bluegrass", "Gospel", "Reggae",
      "Ska", "Disco", "Smooth", "House", "Straight"}},
};

}  // namespace

int style_type(std::string_view style, std::string_view groove) {
    // The groove is what iReal Pro plays; the style text is what it shows.
    for (std::string_view text : {groove, style})
        for (const Feel& feel : feels)
            for (std::string_view word : feel.words)
                if (has_word(text, word)) return feel.code;
    return Style_codes::swing;
}

int usual_tempo(std::string_view style) {
    for (const auto& [word, tempo] : usual_tempos)
        if (contains(style, word)) return tempo;
    return 120;
}

std::string_view style_text(int type) {
    if (type == Style_codes::two_feel) return "Swing Two/Four";
    const std::string_view name = Style_codes::name(type);
    return name == "Swing" ? "Medium Swing" : name;
}

}  // namespace zub::Ireal_style
