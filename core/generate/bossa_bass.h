// The bossa nova's bass: the chord's bass note on beat 1 and its fifth on beat
// 3, each a dotted quarter followed by an eighth pickup on the "and" of 2 and
// of 4 that anticipates the next note. A chord that starts on beat 3 takes
// beat 3 for its own bass note, and the pickup into any chord change is an
// approach note (a semitone or a scale step from the next note) or, at a bar
// line, as often the anticipated bass note itself. Straight eighths; notes
// stay within E1..F3, mostly G1..C3.
#pragma once

#include <vector>

#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/theory/chord.h"

namespace zub::Bossa_bass {

// gen([C 4, F 4]) -> C on 0 for 3/2 beat, G on 3/2 for 1/2, G on 2 for 3/2, a
// pickup into F on 7/2, F on 4 held to the end. Failures as the walking bass's.
// Draws: the notes on the beats in time order, then the pickups into chord changes.
Midi_seq gen(const Chord_seq& chords);

// The note a chord plays on beat 3 when it is still sounding: its fifth, or
// the perfect fifth above its root when its type has none (C7sus4 -> G).
Note fifth_of(const Chord& chord);

}  // namespace zub::Bossa_bass
