// The fixed tables of BiaB song files, as data.
#pragma once

#include <array>

namespace zub {

inline constexpr int biab_chord_code_count = 184;

// Code k has the interval list of entry k - 1 (chord-type text form without
// ":"), or none (nullptr).
extern const std::array<const char*, biab_chord_code_count> biab_chord_codes;

// Note names by 1-based position: 1..12 from C by semitones, then the five
// sharps 13..17 (C#, D#, F#, G#, A#). Keys and chord roots use this table.
extern const std::array<const char*, 17> biab_key_names;

// The semitone above C (0..11) of each key name, by the same positions.
extern const std::array<int, 17> biab_key_pitches;

}  // namespace zub
