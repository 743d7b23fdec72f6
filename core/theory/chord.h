// A parsed chord symbol: root, chord type and bass, with its chord tones.
// Cm7, F#7b9, Bb7+, C7/E, C:3.5.b7.b13 (an explicit type without a name).
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvllist.h"
#include "core/theory/note.h"

namespace zub {

class Chord {
public:
    // of_string("Bb7#11/D") -> root Bb, type 3.5.b7.#11, bass D. The root takes the
    // longest alteration (Bbm7 is Bb m7, Cb9 is a ninth on Cb). Failures:
    // "Invalid chord: C7/E/G" when the symbol does not match the chord pattern,
    // "Unknown chord type: maj7" for an unknown type name, "Invalid interval: ..."
    // for a bad explicit list, the add_intvl message for an unspellable tone.
    static Chord of_string(std::string_view symbol);

    // Canonical symbol: root, type name, "/bass" only when the bass differs:
    // C7#5 -> "C7+", C/C -> "C", C:b3.5 -> "Cm".
    std::string to_string() const;

    const Note& root() const { return root_; }
    const Intvllist& chordtype() const { return chordtype_; }
    const Note& bass() const { return bass_; }
    // The chord tones above the root, in interval order: C13 -> E G Bb D F A.
    const std::vector<Note>& notes_above_root() const { return notes_; }
    // All chord tones from the root upward: C7 -> C E G Bb. The bass is not added.
    std::vector<Note> notes() const;
    // The chord tone of written degree: nth(C7, 7) -> Bb. Throws Not_found when absent.
    Note nth(int degree) const;

    // By root, then chord type; the bass is ignored (C7/E equals C7 here).
    static int compare(const Chord& a, const Chord& b);
    bool operator==(const Chord&) const = default;

private:
    Chord(Note root, Intvllist chordtype, Note bass);
    Note root_;
    Intvllist chordtype_;
    Note bass_;
    std::vector<Note> notes_;
};

void pp(std::ostream& out, const Chord& chord);
std::ostream& operator<<(std::ostream& out, const Chord& chord);

// The canonical printed form of a symbol, to_string of of_string: "C7#5" -> "C7+".
std::string chord_printname(std::string_view symbol);

// named_symbol("B:3.5.b7.b13/D") -> "B7b13/D": a type written as an interval list
// that has a name is written under it, so no chart shows a list that has a name.
// Every other symbol comes back as written, even one no parser accepts
// ("C7#5", "B:3.b7", "C7/"), so readers may pass every symbol through it.
std::string named_symbol(std::string_view symbol);

}  // namespace zub
