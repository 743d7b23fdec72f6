// The rhythm section of a style in a meter: its drum kit, its comping and its
// bass line. 4/4 styles and the 3/4 waltz play their own tables; 2/4, 5/4
// (3+2), 6/4 (3+3) and 7/4 (4+3) swing or play even eighths, each bar built
// from the groups of 2, 3 and 4 beats of those tables. In these meters a
// chord is played group by group: the chord sequence is cut where a group
// begins.
#pragma once

#include <functional>

#include "core/generate/chordseq.h"
#include "core/generate/drums_table.h"
#include "core/generate/midiwriter.h"
#include "core/generate/piano_table.h"
#include "core/generate/style.h"

namespace zub {

struct Band {
    Drums::Kit kit;
    Piano::Comping comping;
    // The bass line of a chord sequence, swung at the given ratio where it swings.
    std::function<Midi_seq(const Chord_seq&, double)> bass;
};

namespace Bands {

// Built once per style and meter; meter 2..7 (style_of has checked it).
const Band& of(Style style, int meter);
// Chords cut at the start of each beat group: in 5/4 a chord of bar 1 held
// 5 beats becomes 3 + 2; in 3/4 and 4/4 the sequence is unchanged.
Chord_seq in_beat_groups(const Chord_seq& chords, int meter);
// The instruments of kit_of_group(g) for each group g, one after another in one
// bar; the weights multiply. All kits have the same instruments in the same order.
Drums::Kit joined(const std::vector<int>& groups, const std::function<const Drums::Kit&(int)>& kit_of_group);

}  // namespace Bands

}  // namespace zub
