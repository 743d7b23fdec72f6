// The editor's call into the accompaniment generator.
#pragma once

#include "bridge/plist.h"

namespace zub::Entry_points {

// "Zub2lite.gen": the MIDI file of a chart dictionary. The core's heap is
// compacted first, since a generation builds many short-lived sequences.
// Bridge_exception "callWithParam:" with "Gen error (...): random seed = N".
Plist::Data zub2lite_gen(const Plist& chart);

}  // namespace zub::Entry_points
