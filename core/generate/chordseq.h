// What the accompaniment driver hands the generators: the chord sequence of the
// unrolled chart (chord symbols at whole-beat times) and its section marks.
#pragma once
#include <string>
#include <utility>
#include <vector>
#include "core/generate/seq.h"

namespace zub {

// Payload: the chord symbol of a chord entry; times and durations in beats.
using Chord_seq = Seq<std::string>;
// Unrolled section marks: (bar number from 1, mark), sorted by bar, then mark.
using Sections = std::vector<std::pair<int, char>>;

}  // namespace zub
