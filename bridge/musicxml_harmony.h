// What MusicXML says about our chords and keys: a chord symbol as the parts
// of a <harmony> (root, kind, bass, degrees), a key name as a key signature,
// and the scale degree of a chord root within a key center. The kind is the
// MusicXML chord kind closest to our chord type, the degrees say the rest,
// and the kind's text is our printed type, so a reader shows what we show.
// No XML here; bridge/musicxml_export writes it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zub {

// A note as MusicXML spells it: step 'A'..'G' and alter in semitones (-2..2).
struct PitchStep {
    char step = 'C';
    int alter = 0;
    bool operator==(const PitchStep&) const = default;
};

enum class DegreeType { add, alter, subtract };

// One <degree>: value 1..13 as written, alter in semitones, type. For add the
// alter counts from a dominant chord (a major seventh is 7 alter +1); for alter
// and subtract it counts from the kind's own degree.
struct HarmonyDegree {
    int value = 0;
    int alter = 0;
    DegreeType type = DegreeType::add;
    bool operator==(const HarmonyDegree&) const = default;
};

// A chord type as a MusicXML kind and the degrees that make the kind into it.
struct HarmonyKind {
    std::string kind;  // "dominant", "minor-seventh", "other"
    std::vector<HarmonyDegree> degrees;
    bool operator==(const HarmonyKind&) const = default;
};

struct HarmonySymbol {
    PitchStep root;
    HarmonyKind kind;
    std::string kindText;  // our printed type: "m7", "7+", "" for the major triad, ":3.b7"
    std::optional<PitchStep> bass;
    bool operator==(const HarmonySymbol&) const = default;
};

// harmonyKindOf("7alt") -> augmented-seventh with b5, b9 and #9 added;
// harmonyKindOf(":3.b7") -> dominant with the fifth subtracted; harmonyKindOf(":") -> other.
// The kind needing the fewest degrees wins, then the one needing fewest
// alterations and subtractions, then the simpler kind; "other" (all degrees
// added) only when it needs strictly fewer degrees than every kind.
// Bridge_exception ("harmonyKindOf", "Unknown chord type: maj7") for a type the core does not know.
HarmonyKind harmonyKindOf(const std::string& chordType);

// harmonyOfChord("Bb7#5/D") -> root B -1, augmented-seventh, text "7+", bass D.
// ASCII "#" and "b". The bass is given only when it differs from the root.
// The core's chord failures as Bridge_exception ("harmonyOfChord", "Invalid chord: C7/E/G").
HarmonySymbol harmonyOfChord(const std::string& symbol);

// A key as a key signature: the tonic, fifths -7..7 (an enharmonic key beyond
// seven accidentals takes the nearer spelling: G# major has the four flats of Ab)
// and the mode.
struct KeySignature {
    PitchStep tonic;
    int fifths = 0;
    bool minor = false;
    bool operator==(const KeySignature&) const = default;
};

// keySignatureOf("Bb") -> Bb, -2, major; ("F#m") -> F#, 3, minor; ("E\u266Dm") -> Eb, -6, minor.
// Display or ASCII accidentals; none for a text that is no key name ("", "H", "Cmaj").
std::optional<KeySignature> keySignatureOf(const std::string& key);

// The scale degree of a chord root in a key: number 1..7 and alter in
// semitones from the key's own scale (natural minor for a minor key, as MusicXML
// reads a minor numeral-mode): degreeInKey(Bb, F) -> 4, 0; (Bb, C) -> 7, -1;
// (Eb, Cm) -> 3, 0; (E, Cm) -> 3, +1.
struct ScaleDegree {
    int number = 1;
    int alter = 0;
    bool operator==(const ScaleDegree&) const = default;
};
ScaleDegree degreeInKey(const PitchStep& root, const KeySignature& key);

}  // namespace zub
