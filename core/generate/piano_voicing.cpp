#include "core/generate/piano_voicing.h"

#include <algorithm>

#include "core/failure.h"
#include "core/theory/intvl.h"

namespace zub::Piano {

namespace {

// Just below D3: every voicing starts on the nearest chord tone above it.
constexpr int floor_note = 49;

// Semitones above the root of the chord's written degree, if it has one.
std::optional<int> semis_of(const Chord& chord, int degree) {
    for (const Intvl& i : chord.chordtype().intervals())
        if (i.i() == degree - 1) return i.semi();
    return std::nullopt;
}

std::optional<Note> degree(const Chord& chord, int k) {
    if (!semis_of(chord, k)) return std::nullopt;
    return chord.nth(k);
}

std::optional<Note> above_root(const Chord& chord, const char* interval) {
    try {
        return chord.root().add_intvl(Intvl::of_string(interval));
    } catch (const Failure&) {
        return std::nullopt;  // a root that cannot be spelled so far up (B## + 13)
    }
}

// A diminished seventh chord, its seventh written as a double-flat seventh or a sixth.
bool diminished_seventh(const Chord& chord) {
    return semis_of(chord, 3) == 3 && semis_of(chord, 5) == 6 && (semis_of(chord, 7) == 9 || semis_of(chord, 6) == 9);
}

// The colour above the third and seventh: the chord's own 13th or 11th, else
// an added 13th on a dominant with a perfect fifth, an 11th on a minor chord,
// else the fifth.
std::optional<Note> upper_of(const Chord& chord, bool tensions) {
    if (tensions) {
        for (int k : {13, 11})
            if (auto own = degree(chord, k)) return own;
        const auto third = semis_of(chord, 3);
        const auto fifth = semis_of(chord, 5);
        const auto seventh = semis_of(chord, 7);
        if (third == 4 && seventh == 10 && fifth == 7) return above_root(chord, "13");
        if (third == 3 && !diminished_seventh(chord) && seventh != 11) return above_root(chord, "11");
    }
    return degree(chord, 5);
}

std::optional<Note> ninth_of(const Chord& chord, bool tensions) {
    if (auto own = degree(chord, 9)) return own;
    if (!tensions || diminished_seventh(chord)) return std::nullopt;
    // Half-diminished chords take the 11th instead; a natural ninth clashes less elsewhere.
    if (semis_of(chord, 3) == 3 && semis_of(chord, 5) == 6) return std::nullopt;
    return above_root(chord, "9");
}

// The sixth of a plain major triad with tensions, else the chord's seventh
// or sixth, else the root (a triad keeps its identity).
std::optional<Note> seventh_of(const Chord& chord, bool tensions) {
    if (auto own = degree(chord, 7)) return own;
    if (auto sixth = degree(chord, 6)) return sixth;
    if (tensions && semis_of(chord, 3) == 4 && semis_of(chord, 5) == 7) return above_root(chord, "6");
    return chord.root();
}

Midinote above(int p, const Note& note) {
    int step = ((note.semi() - p) % 12 + 12) % 12;
    if (step == 0) step = 12;
    return Midinote::of_notenum_in_notelist(p + step, {note});
}

Voicing stack(const std::optional<Note>& root, const std::vector<std::optional<Note>>& voices) {
    Voicing voicing;
    int p = floor_note;
    std::vector<std::optional<Note>> all = {root};
    all.insert(all.end(), voices.begin(), voices.end());
    for (const auto& note : all) {
        if (!note) continue;
        voicing.push_back(above(p, *note));
        p = voicing.back().to_notenum();
    }
    return voicing;
}

}  // namespace

Colors colors(const Chord& chord, bool tensions) {
    const std::optional<Note> third = degree(chord, 3) ? degree(chord, 3) : degree(chord, 4);
    return {.third = third.value_or(chord.root()),
            .seventh = seventh_of(chord, tensions),
            .ninth = ninth_of(chord, tensions),
            .upper = upper_of(chord, tensions),
            .root = chord.bass() == chord.root() ? std::nullopt : std::optional<Note>(chord.root())};
}

Voicing shape_a(const Colors& c) { return stack(c.root, {c.third, c.upper, c.seventh, c.ninth}); }

Voicing shape_b(const Colors& c) { return stack(c.root, {c.seventh, c.ninth, c.third, c.upper}); }

}  // namespace zub::Piano
