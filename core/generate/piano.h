// The piano generator: comps every chord with a rhythm pattern drawn by the
// chord's length and place in the bar, sometimes anticipating it by an eighth
// (a pickup), and plays a rootless voicing of four notes from about D3 up on
// every note of the pattern. Of two voicing shapes it keeps the one whose top
// note is nearer the previous top note. Velocities by note length and place in
// the bar, the top note brought out; off-beats swung in the swinging styles.
#pragma once
#include <optional>
#include <string>
#include <vector>
#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/generate/pattern.h"
#include "core/generate/piano_table.h"
#include "core/generate/piano_voicing.h"
#include "core/theory/chord.h"
#include "core/theory/midinote.h"

namespace zub::Piano {

// A comping pattern and the beats in one of its bars.
struct Comp_pattern {
    Pattern pattern;
    int unit;
};

// gen([C7 4 beats], {}) -> "|x---|" at 0 with one voicing, every note 4 beats,
// the top one louder. Draws: pickup and pattern per chord, then the first chord's shape.
Midi_seq gen(const Chord_seq& chords, const Sections& sections);
// The same with the comping of any style (gen above is swing's at medium
// tempo), swung at swing_ratio when the comping swings.
Midi_seq gen(const Chord_seq& chords, const Sections& sections, const Comping& comping, double swing_ratio);

// The pattern of one chord in swing; previous_pattern is that of the chord before.
// "Internal error: previous must exist" for a previous pattern without a previous chord.
Pattern gen_pat(const Event<std::string>* previous, const Event<std::string>& current,
                const Event<std::string>* next, const std::optional<Pattern>& previous_pattern);
// Whether time t starts a bar (of bar_beats beats) that carries a section mark.
bool at_section_start(const mpq_class& t, const Sections& sections, int bar_beats = 4);
// Whether the previous chord's pattern (in bars of bar_beats) ends strictly before the chord does.
bool prev_pat_allows_pickup(const Event<std::string>* previous, const std::optional<Pattern>& previous_pattern,
                            int bar_beats = 4);
// One draw: whether it falls below probability.
bool use_pickup_by_random(double probability);

// The voicing: shape A or B (piano_voicing.h) by a draw for the first chord,
// else the shape whose top note is strictly nearer the previous top (B on a tie).
Voicing choose_chord(const Chord& chord, const std::optional<Voicing>& previous);
Voicing choose_chord(const Chord& chord, const std::optional<Voicing>& previous, double shape1_probability,
                     bool tensions);
// C7 -> E3 A3 Bb3 D4 with tensions, E3 G3 Bb3 without.
Voicing chord_var1(const Chord& chord, bool tensions = true);
// C7 -> Bb3 D4 E4 A4 with tensions, Bb3 E4 G4 without.
Voicing chord_var2(const Chord& chord, bool tensions = true);
// The last note of a voicing (its top); Not_found for an empty one.
const Midinote& last(const Voicing& voicing);

}  // namespace zub::Piano
