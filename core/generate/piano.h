// The piano generator: comps every chord with a rhythm pattern drawn by the
// chord's length and place in the bar, sometimes anticipating it by an eighth
// (a pickup), and plays a voicing of up to five chord tones on every note of the
// pattern. Of two voicing shapes it keeps the one whose top note is nearer the
// previous top note. Velocities by note length; off-beats swung.
#pragma once
#include <optional>
#include <string>
#include <vector>
#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/generate/pattern.h"
#include "core/generate/piano_table.h"
#include "core/theory/chord.h"
#include "core/theory/midinote.h"

namespace zub::Piano {

using Voicing = std::vector<Midinote>;  // low stack, then high stack, each ascending
using Degrees = std::vector<int>;       // alternatives for one voice, first present wins

// gen([C7 4 beats], {}) -> "|x---|" at 0 with one voicing, every note 4 beats at
// velocity 70. Draws: pickup and pattern per chord, then the first chord's shape.
Midi_seq gen(const Chord_seq& chords, const Sections& sections);
// The same with the comping of any style (gen above is swing's).
Midi_seq gen(const Chord_seq& chords, const Sections& sections, const Comping& comping);

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

// The voicing: shape 1 or 2 by a draw for the first chord, else the shape whose
// top note is strictly nearer the previous top (shape 2 on a tie).
Voicing choose_chord(const Chord& chord, const std::optional<Voicing>& previous);
Voicing choose_chord(const Chord& chord, const std::optional<Voicing>& previous, double shape1_probability);
Voicing voice_chord(const Chord& chord, const std::vector<Degrees>& low, const std::vector<Degrees>& high);
// C7 -> C3 Bb3 E4 G4.
Voicing chord_var1(const Chord& chord);
// C7 -> C3 E3 Bb3 G4.
Voicing chord_var2(const Chord& chord);
// One stack built upwards from just above start.
Voicing choose_notes(const Chord& chord, const Midinote& start, const std::vector<Degrees>& voices);
// The first degree of the voice that the chord has, or nothing.
std::optional<Note> choose_note(const Chord& chord, const Degrees& voice);
// The nearest MIDI note strictly above p with note's pitch class, spelled as note:
// (B2, C) -> C3; (C3, C) -> C4.
Midinote midinote_above(const Midinote& p, const Note& note);
// The last note of a voicing (its top); Not_found for an empty one.
const Midinote& last(const Voicing& voicing);

}  // namespace zub::Piano
