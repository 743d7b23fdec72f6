// The bass generator's fixed values.
#pragma once
#include "core/generate/perform.h"
#include "core/generate/randset.h"

namespace zub::Bass {

inline constexpr int standard_low = 31;   // G1
inline constexpr int standard_high = 48;  // C3
inline constexpr int extended_low = 28;   // E1
inline constexpr int extended_high = 53;  // F3
inline constexpr double walk_probability = 0.8;
inline constexpr double chromatic_probability = 0.3;
inline constexpr double split_probability_2 = 0.15;
inline constexpr double split_probability_4 = 0.35;
inline constexpr int velocity = 100;

// Which beat (from 0) of a four-beat chord is split.
const Randset<int>& split_beats();
const Perform::Groove_table& groove_table();

// What the walking line changes with the style: the bar it grooves in and how
// often a three-beat chord is played in two (a dotted half, or a half and a quarter).
// How the line's notes are placed: one a beat; in half notes (the third-beat
// note on 3); or in half notes with an eighth pickup (the fourth-beat note on
// the "and" of 4) at pickup_probability, as in a ballad.
enum class Placement { walking, half_notes, half_notes_with_pickups };
struct Walk {
    int bar_beats;
    Perform::Groove_table groove;
    double two_feel_probability;  // 0: never, and no draw
    Placement placement = Placement::walking;
    double pickup_probability = 0.0;
};
inline constexpr int dotted_half = 0;
inline constexpr int half_and_quarter = 1;
// Which two-feel figure a three-beat chord plays.
const Randset<int>& two_feel_figures();
const Walk& swing_walk();
const Walk& waltz_walk();
const Walk& two_feel_walk();
const Walk& ballad_walk();

}  // namespace zub::Bass
