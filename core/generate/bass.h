// The bass generator: a walking line, one note per beat, from the chord
// sequence. Passes over the whole sequence: an anchor note at the start of every
// chord; a scale per chord from the tonal analysis; the beats between one anchor
// and the next filled with chord, scale and approach notes or a scalewise walk;
// sometimes a beat split into two eighths; then groove velocities and swing.
// Notes stay within E1..F3, mostly G1..C3.
#pragma once
#include <optional>
#include <vector>
#include "core/generate/bass_table.h"
#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/generate/mng.h"
#include "core/theory/chord.h"
#include "core/theory/midinote.h"
#include "core/theory/scale.h"

namespace zub::Bass {

// gen([C 4 beats]) -> one C between G1 and C3 at 0, one beat, velocity 100.
// Failures: the chord parser's for a bad symbol, the tonal analysis's for an
// empty sequence. Draws: anchors, then other notes, then splits, in time order.
// Swung at the medium tempo's ratio.
Midi_seq gen(const Chord_seq& chords);
// The same line in another style's bar: the waltz walks in three and sometimes
// plays a three-beat chord in two (one more draw for each, after the splits').
Midi_seq gen(const Chord_seq& chords, const Walk& walk, double swing_ratio);

// The anchors of all chords in time order, one draw each (gen's first pass).
std::vector<Midinote> anchor_notes(const std::vector<Event<Chord>>& chords);
// The anchor of a middle chord, given the previous anchor p and how long the
// previous chord lasted (beats); first and last chords pass no previous anchor
// and draw the bass note in the standard range. Draws once.
Midinote gen_anchor_note(const Chord& chord, bool first_or_last, const std::optional<Midinote>& p,
                         const mpq_class& previous_duration);
// Root 0.7, third 0.15, fifth 0.15 in every octave; absent degrees left out.
Mng mng_135_of_chord(const Chord& chord);
// (candidate & ~p) * 0.7 | (candidate & p) * 0.3: the previous note keeps a
// lowered chance only when it belongs to the new chord.
Mng lower_repeat_prob(const Mng& candidate, const Midinote& p);
// The chord's bass note in every octave when m is null, else m.
Mng fallback_to_note_if_null(const Mng& m, const Chord& chord);
// m & (p - w .. p + w), w = 11 after a chord of at most 2 beats, else 15.
Mng limit_range_by_prev_dur(const Mng& m, const Midinote& p, const mpq_class& previous_duration);

// The beats after the anchor, given anchor a, next anchor n, chord C, scale S
// and the next scale S2; each draws as its description says.
// gen_2: an approach to n when a or n is the root, else the root within an
// octave of both anchors, or nearest their midpoint when no octave is near both.
Midinote gen_2(const Chord& c, const Midinote& a, const Midinote& n, const Scale& s2);
std::vector<Midinote> gen_3(const Chord& c, const Scale& s, const Midinote& a, const Midinote& n);
std::vector<Midinote> gen_4(const Chord& c, const Scale& s, const Midinote& a, const Midinote& n, const Scale& s2);
Midinote gen_3rd_note(const Chord& c, const Midinote& a, const Midinote& n);
Midinote gen_2nd_note(const Scale& s, const Midinote& a, const Midinote& t);
// Target n approached from a semitone above (0.4) or below (0.2) or the next
// scale note either side (0.2 each); never q; times the range weighting.
Mng approach_note_mng(const Midinote& q, const Midinote& n, const Scale& s2);
// "Internal error: length of notes_betw <> 2 in gen_walk2" unless between has 2 notes.
std::vector<Midinote> gen_walk2(const Midinote& a, const Midinote& n, const Scale& s2,
                                const std::vector<Midinote>& between);
// "Internal error: length of notes_betw <> 3 in gen_walk3" unless between has 3 notes.
std::vector<Midinote> gen_walk3(const Midinote& n, const std::vector<Midinote>& between);

// The notes width beyond n on the side away from a: (C2, D2, 10) -> D#2 .. C3.
Mng mng_jump_beyond(const Midinote& a, const Midinote& n, int width);
// The notes strictly between a and n.
Mng mng_jump_betw(const Midinote& a, const Midinote& n);
// center - radius .. center + radius, clipped to 0..127.
Mng mng_range_at_center(const Midinote& center, int radius);
int abs_mn_diff(const Midinote& a, const Midinote& b);
// x + 1 when x is below y, else x - 1.
Midinote chrm_note_betw(const Midinote& x, const Midinote& y);

// The range weighting: 14 from G1 to C3, 4 from E1 to F#1 and C#3 to F3.
const Mng& range_weighting();
// A draw from m & range_weighting().
Midinote std_gen(const Mng& m);
// A draw from m & G1..C3.
Midinote nrml_gen(const Mng& m);

// One chord's notes placed at time t, split beats drawn: (offset, duration, note).
struct Placed {
    mpq_class offset;
    mpq_class duration;
    Midinote note;
};
// "Internal error: number of MIDI notes <> 2 in embell_2" unless notes has 2.
std::vector<Placed> embell_2(const std::vector<Midinote>& notes);
std::vector<Placed> embell_4(const std::vector<Midinote>& notes, int beat);
std::vector<Placed> no_embell(const std::vector<Midinote>& notes);
// [a, s, t] in two: dotted_half -> a for 3 beats; half_and_quarter -> a for 2, t on 3.
// "Internal error: number of MIDI notes <> 3 in two_feel" unless notes has 3.
std::vector<Placed> two_feel(const std::vector<Midinote>& notes, int figure);

}  // namespace zub::Bass
