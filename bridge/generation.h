// The editor's call into the accompaniment generator, and its random seed.
#pragma once

#include <cstdint>

#include "bridge/plist.h"

namespace zub::Entry_points {

// "Zub2lite.gen": the MIDI file of a chart dictionary, played as written (bridge/played_form.h). The core's heap is
// compacted first, since a generation builds many short-lived sequences.
// Bridge_exception "callWithParam:" with "Gen error (...): random seed = N".
Plist::Data zub2lite_gen(const Plist& chart);

// The generator's random seed. It is drawn once per process (from ZUB_SEED
// when that holds a whole number); setting it repeats a run exactly:
// zub2lite_init_random_with(42), then zub2lite_gen(chart) gives the same bytes every time.
void zub2lite_init_random_with(std::uint64_t seed);
// The seed in use: 0 before the first generation.
std::uint64_t zub2lite_seed();

}  // namespace zub::Entry_points
