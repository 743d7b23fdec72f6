// The piano generator's pattern sets and fixed values.
#pragma once
#include "core/generate/pattern.h"
#include "core/generate/perform.h"
#include "core/generate/randset.h"

namespace zub::Piano {

const Randset<Pattern>& four_beats(bool pickup);
const Randset<Pattern>& two_beats_bar_start(bool pickup);
const Randset<Pattern>& two_beats_mid_bar(bool pickup);
// The last chord: "|x---|".
const Pattern& last_chord_pattern();
const Perform::Duration_velocity_table& duration_velocities();

inline constexpr double pickup_two_bar_start = 0.25;
inline constexpr double pickup_two_mid_bar = 0.3;
inline constexpr double pickup_four = 0.25;
inline constexpr double shape1_probability = 0.5;
inline constexpr int velocity = 64;
inline constexpr double swing_ratio = 2.3;

}  // namespace zub::Piano
