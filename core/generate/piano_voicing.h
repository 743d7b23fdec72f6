// What a jazz pianist voices of a chord while the bass holds the root: the
// third (or the suspended fourth), the seventh (or the sixth), the ninth and
// an upper colour in place of the fifth (the 13th on a dominant with a
// perfect fifth, the 11th on a minor chord), all from about D3 up. The
// chord's own extensions win over the added ones; a diminished seventh gets
// no added tension. A slash chord keeps its root, since the bass plays
// another note. Plain voicings (the pop styles') keep the chord as written.
#pragma once

#include <optional>
#include <vector>

#include "core/theory/chord.h"
#include "core/theory/midinote.h"

namespace zub::Piano {

using Voicing = std::vector<Midinote>;  // ascending

// The tones of a voicing by role; absent roles are left out.
struct Colors {
    Note third;
    std::optional<Note> seventh;
    std::optional<Note> ninth;
    std::optional<Note> upper;  // 13th, 11th or the fifth
    std::optional<Note> root;   // only when the bass does not hold it
};

// colors(C7, true) -> E, Bb, D, A; colors(Dm7, true) -> F, C, E, G;
// colors(C7, false) -> E, Bb, no ninth, G; colors(C/E, true) keeps C as root.
Colors colors(const Chord& chord, bool tensions);

// Shape A from the third up (C7: E3 A3 Bb3 D4), shape B from the seventh up
// (C7: Bb3 D4 E4 A4); the lowest note lies between D3 and C#4.
Voicing shape_a(const Colors& colors);
Voicing shape_b(const Colors& colors);

}  // namespace zub::Piano
