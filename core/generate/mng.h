// Weighted note generators: a weight for every MIDI note number 0..127 and a
// set of spellings, from which one MIDI note is drawn at random. The bass and
// the piano build them from notes, chords, scales and ranges and combine them
// with four operators (C++ operators on Mng values):
//
//   a | b    sum: a[k] + b[k], spellings united. Offers alternatives.
//   a & b    product: a[k] x b[k], spellings united. Restricts: a range & a
//            chord keeps only the chord tones inside the range.
//   ~a       complement: 1.0 where a[k] counts as zero, 0.0 elsewhere; no
//            spellings. Excludes: m & ~a removes a's notes from m.
//   a * f    scaling by a double: a[k] x f; no spellings. Weighs one group of
//            alternatives against another.
//
// A weight counts as zero below 2^-51 in absolute value. A drawn number comes
// back spelled as the first spelling (in note-set order) of its pitch class, or
// with the default spelling when none has it: an Eb from a C minor chord.
#pragma once

#include <array>
#include <vector>

#include "core/theory/chord.h"
#include "core/theory/midinote.h"
#include "core/theory/note.h"
#include "core/theory/noteset.h"
#include "core/theory/scale.h"

namespace zub {

using Freq_array = std::array<double, 128>;

class Mng {
public:
    // Any weights and spellings; the constructors below are the usual way in.
    Mng(const Freq_array& weights, Noteset spellings) : weights_(weights), spellings_(spellings) {}

    const Freq_array& weights() const { return weights_; }
    const Noteset& spellings() const { return spellings_; }
    bool operator==(const Mng&) const = default;

private:
    Freq_array weights_;
    Noteset spellings_;
};

// 1.0 at m's number; spelled {m's note}: mng_of_midinote(Eb4) weighs only 63.
Mng mng_of_midinote(const Midinote& m);
// 1.0 at every number of n's pitch class: C -> 0, 12, ..., 120; B# the same; spelled {n}.
Mng mng_of_note(const Note& n);
// The same for every chord tone (root included): C7 -> C, E, G, Bb in every octave.
Mng mng_of_chord(const Chord& c);
// The same for every scale note (root included).
Mng mng_of_scale(const Scale& s);
// 1.0 from lo's number to hi's, both included; none when lo is above hi; no spellings.
Mng mng_of_range(const Midinote& lo, const Midinote& hi);
// A normal curve over center +- n with standard deviation n / s (s = 2 puts the
// edges two deviations out); mng_normal(C4, 0, s) is mng_of_midinote(C4).
// Invalid_argument "Midinote out of range: -2" when the range leaves 0..127,
// "Invalid spread: -1" unless s is above 0.
Mng mng_normal(const Midinote& center, int n, double s);

Mng operator|(const Mng& a, const Mng& b);
Mng operator&(const Mng& a, const Mng& b);
Mng operator~(const Mng& a);
Mng operator*(const Mng& a, double f);

// Whether every weight counts as zero: mng_is_null(~mng_of_range(C-1, G9)) is true.
bool mng_is_null(const Mng& m);
// One note drawn with the weights' probabilities (one draw from the core's
// generator); "Null MNG or faulty random number" when every weight is zero.
Midinote mng_gen(const Mng& m);
// The note a draw u in [0, 1) selects: the first number where the running sum
// of weights exceeds u x total. mng_gen is mng_gen_at with a fresh draw.
Midinote mng_gen_at(const Mng& m, double u);

// The pieces the constructors are made of.

// 128 zero weights.
Freq_array make_freq_array();
// Sets 1.0 at every number of the note's pitch class.
void init_with_note(Freq_array& weights, const Note& note);
void init_with_notelist(Freq_array& weights, const std::vector<Note>& notes);
// The normal density with deviation sigma and mean mu at x: normal_dist(1, 0, 0) -> 0.3989...
double normal_dist(double sigma, double mu, double x);

}  // namespace zub
