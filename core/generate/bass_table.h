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
inline constexpr double swing_ratio = 2.3;

// Which beat (from 0) of a four-beat chord is split.
const Randset<int>& split_beats();
const Perform::Groove_table& groove_table();

}  // namespace zub::Bass
