// The BiaB chord-code table as data: code k has the interval list of entry k,
// or none (nullptr).
#pragma once

#include <array>

namespace zub {

inline constexpr int biab_chord_code_count = 184;

// Entry 0 is code 1. Interval lists in the chord-type text form without ":".
extern const std::array<const char*, biab_chord_code_count> biab_chord_codes;

}  // namespace zub
