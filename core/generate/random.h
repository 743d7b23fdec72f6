// The core's single pseudo-random generator. Every random decision of the
// accompaniment draws from it, in a fixed order, so that a run can be repeated
// from its seed. The numbers depend only on the seed: the engine is the 64-bit
// Mersenne Twister (fully fixed by the C++ standard) and doubles are formed
// from its top 53 bits here rather than by a library distribution, so every
// platform and compiler gives the same stream.
#pragma once

#include <cstdint>

namespace zub::Random {

// Restarts the stream: init(42) then float_unit() gives the same value on every run.
void init(std::uint64_t seed);
// Seeds from the system's entropy source (std::random_device).
void self_init();
// A uniform double in [0, 1): a multiple of 2^-53, never 1.0.
double float_unit();
// A uniform whole number in [0, 2^bits), bits 1..63: bits(30) for a 30-bit seed;
// Invalid_argument "Invalid bit count: 64" outside that range.
std::uint64_t bits(int count);

}  // namespace zub::Random
