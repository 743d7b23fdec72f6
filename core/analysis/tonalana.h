// Tonal analysis: one scale for every chord of a sequence, chosen so that the
// scales change as little as possible while each still holds its chord. A
// shortest path over each chord's compatible scales (in their table order),
// where a transition costs 10 per note in exactly one of the two scales, less
// 1 for staying on the same scale, 1 when the previous chord sits on its
// scale's root, and 2 for a ii-V inside the scale. Ties keep the earliest
// candidate, so earlier scale types and earlier note names win.
#pragma once

#include <vector>

#include "core/theory/chord.h"
#include "core/theory/scale.h"

namespace zub::Tonalana {

// analyze([Dm7, G7, CMaj7]) -> [C major, C major, C major]; one scale per chord,
// in chord order. Invalid_argument "Tonalana.analyze: empty chord list" for no
// chords; failures of the compatibility table and the scale parser propagate.
std::vector<Scale> analyze(const std::vector<Chord>& chords);

// The transition cost from the previous chord on scale s to the current chord on
// scale t: (Dm7 on C major, G7 on C major) -> 10 × 0 − 1 − 0 − 2 = −3.
int transition_cost(const Chord& previous, const Scale& s, const Chord& current, const Scale& t);

}  // namespace zub::Tonalana
