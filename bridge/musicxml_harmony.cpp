#include "bridge/musicxml_harmony.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "bridge/accidentals.h"
#include "bridge/internal/reaching_core.h"
#include "core/theory/chord.h"
#include "core/theory/chordtype.h"

namespace zub {

namespace {

// The MusicXML chord kinds a jazz chart can use, simplest first (ties go to
// the earlier one), each with its intervals as the core spells them. The
// diminished seventh's bb7 is the 6 our types write for it.
struct KindDefinition {
    const char* kind;
    const char* intervals;
};
constexpr std::array<KindDefinition, 25> kind_definitions{{
    {"major", "3.5"},
    {"minor", "b3.5"},
    {"augmented", "3.#5"},
    {"diminished", "b3.b5"},
    {"dominant", "3.5.b7"},
    {"major-seventh", "3.5.7"},
    {"minor-seventh", "b3.5.b7"},
    {"diminished-seventh", "b3.b5.6"},
    {"augmented-seventh", "3.#5.b7"},
    {"half-diminished", "b3.b5.b7"},
    {"major-minor", "b3.5.7"},
    {"major-sixth", "3.5.6"},
    {"minor-sixth", "b3.5.6"},
    {"dominant-ninth", "3.5.b7.9"},
    {"major-ninth", "3.5.7.9"},
    {"minor-ninth", "b3.5.b7.9"},
    {"dominant-11th", "3.5.b7.9.11"},
    {"major-11th", "3.5.7.9.11"},
    {"minor-11th", "b3.5.b7.9.11"},
    {"dominant-13th", "3.5.b7.9.11.13"},
    {"major-13th", "3.5.7.9.11.13"},
    {"minor-13th", "b3.5.b7.9.11.13"},
    {"suspended-second", "2.5"},
    {"suspended-fourth", "4.5"},
    {"power", "5"},
}};

struct Kind {
    const char* name;
    Intvllist intervals;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> table = [] {
        std::vector<Kind> built;
        for (const KindDefinition& d : kind_definitions) built.push_back({d.kind, Intvllist::of_string(d.intervals)});
        return built;
    }();
    return table;
}

bool contains(const Intvllist& list, const Intvl& interval) {
    const auto& all = list.intervals();
    return std::find(all.begin(), all.end(), interval) != all.end();
}

// An added degree counts from a dominant chord, whose seventh is minor.
HarmonyDegree added(const Intvl& interval) {
    const int value = interval.i() + 1;
    return {value, value == 7 ? interval.alt() + 1 : interval.alt(), DegreeType::add};
}

// The degrees that make kind into chord: a kind's interval missing from the
// chord is altered when the chord has another of the same degree, else
// subtracted; what the chord has beyond the kind is added.
std::vector<HarmonyDegree> degrees_between(const Intvllist& kind, const Intvllist& chord) {
    std::vector<Intvl> extra;
    for (const Intvl& interval : chord.intervals())
        if (!contains(kind, interval)) extra.push_back(interval);
    std::vector<HarmonyDegree> degrees;
    for (const Intvl& wanted : kind.intervals()) {
        if (contains(chord, wanted)) continue;
        auto same_degree = std::find_if(extra.begin(), extra.end(), [&](const Intvl& e) { return e.i() == wanted.i(); });
        if (same_degree == extra.end()) {
            degrees.push_back({wanted.i() + 1, 0, DegreeType::subtract});
        } else {
            degrees.push_back({wanted.i() + 1, same_degree->alt() - wanted.alt(), DegreeType::alter});
            extra.erase(same_degree);
        }
    }
    for (const Intvl& interval : extra) degrees.push_back(added(interval));
    std::stable_sort(degrees.begin(), degrees.end(),
                     [](const HarmonyDegree& a, const HarmonyDegree& b) { return a.value < b.value; });
    return degrees;
}

std::size_t changes(const std::vector<HarmonyDegree>& degrees) {
    return static_cast<std::size_t>(std::count_if(degrees.begin(), degrees.end(),
                                                  [](const HarmonyDegree& d) { return d.type != DegreeType::add; }));
}

HarmonyKind kind_of_intervals(const Intvllist& chord) {
    HarmonyKind best;
    std::tuple<std::size_t, std::size_t> best_cost{SIZE_MAX, SIZE_MAX};
    for (const Kind& kind : kinds()) {
        std::vector<HarmonyDegree> degrees = degrees_between(kind.intervals, chord);
        const std::tuple<std::size_t, std::size_t> cost{degrees.size(), changes(degrees)};
        if (cost < best_cost) {
            best_cost = cost;
            best = {kind.name, std::move(degrees)};
        }
    }
    if (chord.size() < std::get<0>(best_cost)) {
        best = {"other", {}};
        for (const Intvl& interval : chord.intervals()) best.degrees.push_back(added(interval));
    }
    return best;
}

PitchStep step_of(const Note& note) { return {"CDEFGAB"[note.n()], note.alt()}; }

// Fifths of the major key on each letter, C..B.
constexpr std::array<int, 7> letter_fifths{0, 2, 4, -1, 1, 3, 5};
// Semitones of each degree above the tonic, major and natural minor.
constexpr std::array<int, 7> major_scale{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> minor_scale{0, 2, 3, 5, 7, 8, 10};

int letter_index(char step) { return static_cast<int>(std::string_view("CDEFGAB").find(step)); }

int pitch_class(const PitchStep& p) { return ((major_scale[static_cast<std::size_t>(letter_index(p.step))] + p.alter) % 12 + 12) % 12; }

}  // namespace

HarmonyKind harmonyKindOf(const std::string& chordType) {
    return reaching_core("harmonyKindOf", [&] {
        try {
            return kind_of_intervals(Chordtype::of_string(chordType));
        } catch (const Not_found&) {
            throw Failure("Unknown chord type: " + chordType);
        }
    });
}

HarmonySymbol harmonyOfChord(const std::string& symbol) {
    return reaching_core("harmonyOfChord", [&] {
        const Chord chord = Chord::of_string(symbol);
        HarmonySymbol harmony{step_of(chord.root()), kind_of_intervals(chord.chordtype()),
                              Chordtype::to_string(chord.chordtype()), std::nullopt};
        if (!(chord.bass() == chord.root())) harmony.bass = step_of(chord.bass());
        return harmony;
    });
}

std::optional<KeySignature> keySignatureOf(const std::string& key) {
    std::string text = replaceWithAsciiSharpsAndFlats(key);
    const bool minor = !text.empty() && text.back() == 'm';
    if (minor) text.pop_back();
    if (text.empty() || Note::name_length(text) != text.size()) return std::nullopt;
    const Note tonic = Note::of_string(text);
    int fifths = letter_fifths[static_cast<std::size_t>(tonic.n())] + 7 * tonic.alt() - (minor ? 3 : 0);
    if (fifths > 7) fifths -= 12;
    if (fifths < -7) fifths += 12;
    return KeySignature{step_of(tonic), fifths, minor};
}

ScaleDegree degreeInKey(const PitchStep& root, const KeySignature& key) {
    const int steps = ((letter_index(root.step) - letter_index(key.tonic.step)) % 7 + 7) % 7;
    const auto& scale = key.minor ? minor_scale : major_scale;
    const int semitones = pitch_class(root) - pitch_class(key.tonic) - scale[static_cast<std::size_t>(steps)];
    // The alteration nearest to the written degree: -6..5 semitones.
    const int alter = ((semitones % 12) + 12 + 6) % 12 - 6;
    return {steps + 1, alter};
}

}  // namespace zub
