// Performing a straight grid of notes: velocities set or shaped from a table,
// and swing, which delays every off-beat note by the same whole number of
// ticks. These are the last steps of every generator; times stay on whole
// ticks (1/480 beat), as the MIDI file writer needs.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <utility>
#include <vector>

#include "core/generate/midiwriter.h"
#include "core/theory/midinote.h"
#include "core/theory/utils.h"

namespace zub::Perform {

inline constexpr int default_velocity = 64;
inline constexpr long swing_grid = 480;
// The tempo the generators' plain entry points swing at.
inline constexpr int medium_tempo = 120;

// Players swing less as the tempo rises: 2.5:1 at a ballad's 60 bpm and
// below, 2:1 at 160, 1.3:1 at 300, never under 1.2:1 (a straight line
// between, 2.8 - tempo / 200).
double swing_ratio_at(int tempo);

using Groove_table = Utils::Num_alist<double>;                   // position in the bar (beats), factor
using Duration_velocity_table = std::vector<std::pair<mpq_class, int>>;  // threshold (beats), velocity

// The factors of a bar's eighths, the bar made of beat groups ({3, 2} in 5/4):
// strong on each group's first beat, beat on the other beats, offbeat between
// them: ({2}, 1.0, 0.9, 0.7) -> (0, 1.0), (1/2, 0.7), (1, 0.9), (3/2, 0.7).
Groove_table groove_in_eighths(const std::vector<int>& groups, double strong, double beat, double offbeat);
// The factors of every step of a bar of beats, the steps of each beat taking
// the factors listed: (2, {1.0, 0.6, 0.8, 0.6}) -> (0, 1.0), (1/4, 0.6), (1/2, 0.8), ...
Groove_table groove_by_steps(int beats, const std::vector<double>& per_step);
// The factor for an event at time within bars of period beats; 1.0 when not listed.
double groove_factor(const Groove_table& groove, const mpq_class& period, const mpq_class& time);
// groove_factor for many events of one groove and period: a whole period of
// not too many beats is tabled by tick once, and a time on the tick grid is
// then found by its tick; any other time (or period) takes the exact path.
// It refers to groove, which must outlive it.
class Groove_lookup {
public:
    Groove_lookup(const Groove_table& groove, const mpq_class& period);
    double factor(const mpq_class& time) const;

private:
    const Groove_table& groove_;
    mpq_class period_;
    std::vector<double> by_tick_;  // the factor at each tick of the period; empty when not tabled
};
// The velocity of the first entry whose threshold is at least duration; Not_found beyond the last.
int duration_velocity(const Duration_velocity_table& table, const mpq_class& duration);

// Each velocity times the factor for the event's time modulo period (exact
// lookup, 1.0 when not listed), truncated: 100 x 0.7 -> 70, 64 x 0.7 -> 44.
// Invalid_argument "Division_by_zero" for a period of 0.
Midi_seq groove_velocity_scaling(const Groove_table& groove, const mpq_class& period, const Midi_seq& seq);
// Each velocity replaced by that of the first entry whose threshold is at least
// the event's duration; Not_found when the event is longer than every threshold.
Midi_seq duration_velocity_map(const Duration_velocity_table& table, const Midi_seq& seq);
// truncate(f x n) / n, exactly: (0.69697, 480) -> 334/480;
// Invalid_argument "Division_by_zero" for n = 0, "Not a finite number: inf" for f x n.
mpq_class num_of_float_approx(double f, long n);
// Every event off the beat moved later by truncate(480 r / (1 + r)) / 480 - 1/2
// beat and shortened as much: at ratio 2.3, 5/2 -> 1294/480 with 1/2 -> 146/480;
// events on whole beats stay. Invalid_argument "Negative swung duration: <event time>"
// when an off-beat event is shorter than the delay.
Midi_seq swing(double ratio, const Midi_seq& seq);
// swing(ratio, groove_velocity_scaling(groove, period, seq)), or the scaling
// alone without a ratio, in one pass: each pass copies every event.
Midi_seq groove_and_swing(const Groove_table& groove, const mpq_class& period, std::optional<double> ratio,
                          const Midi_seq& seq);

}  // namespace zub::Perform
