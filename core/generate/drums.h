// The drum generator: the instruments of a style's kit (in swing the ride
// cymbal, pedal hi-hat, snare and bass drum), bar by bar. Each bar draws one one-bar
// pattern per instrument from a weighted table; the bar before a section mark
// draws from the fill table, the last bar plays a fixed ending figure. Chords
// are not looked at. Velocities come from the instrument table and the groove;
// off-beats are swung unless the kit plays straight.
#pragma once
#include <string>
#include <utility>
#include <vector>
#include "core/generate/chordseq.h"
#include "core/generate/drums_table.h"
#include "core/generate/midiwriter.h"
#include "core/generate/pattern.h"
#include "core/generate/randset.h"
#include "core/generate/seq.h"

namespace zub {

namespace Drums {

// A track of bar events: one per bar, a bar long, the bar's pattern as payload.
using Bar_track = Seq<Pattern>;

// gen({}, 1) -> the ending figure only: snare at beats 0, 3/4 and 1, bass drum
// at 3/2 and 2, ride at 2. Draws one pattern per instrument per bar but the last.
Midi_seq gen(const Sections& sections, int bars);
// The same with the kit of any style (gen above is the swing kit's at medium
// tempo), swung at swing_ratio when the kit swings.
Midi_seq gen(const Sections& sections, int bars, const Kit& kit, double swing_ratio);
// The chosen patterns: ("rc", track), ("hh", track), ("sd", track), ("bd", track).
std::vector<std::pair<std::string, Bar_track>> gen_trks(const Sections& sections, int bars);
std::vector<std::pair<std::string, Bar_track>> gen_trks(const Sections& sections, int bars, const Kit& kit);
// The track with bar `bar` (from 1) playing pattern, bars of bar_beats beats.
Bar_track add(const Bar_track& track, int bar, const Pattern& pattern, int bar_beats = 4);

}  // namespace Drums
}  // namespace zub
