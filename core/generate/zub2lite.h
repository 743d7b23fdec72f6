// The accompaniment entry point: a chart in, the bytes of a Standard MIDI File
// out (tempo track, then "Drums", "Piano", "Bass" after a two-bar count-in),
// in the chart's style: swing, a jazz waltz in 3/4 or a bossa nova.
// The random generator is seeded once per process, from ZUB_SEED when that
// holds a whole number, else from the system; every failure names the seed so
// that a run can be repeated.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include "core/charts/chart.h"

namespace zub::Zub2lite {

// The whole file. Failures: "Gen error (<message>): random seed = N" for a
// failure with a message, "Gen error (Generic): random seed = N" for any other.
std::string gen(const Chart& chart);
// Seeds the generator unless already done in this process.
void init_random();
// Seeds the generator with seed now; later generations continue from it.
void init_random_with(std::uint64_t seed);
// The seed in use (0 before the first generation).
std::uint64_t seed();
// seed_of("42") -> 42: a seed is written as a whole number in decimal digits
// alone; none for "", "x1", " 4", "+4" or "-3", and for a number above 2^64 - 1.
std::optional<std::uint64_t> seed_of(std::string_view text);
// ZUB_SEED's seed, none when it is not set or is no seed.
std::optional<std::uint64_t> environment_seed();
// Seeds from the system and returns a fresh 30-bit number.
std::uint64_t random_seed();

}  // namespace zub::Zub2lite
