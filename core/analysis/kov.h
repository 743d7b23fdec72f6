// The analysis engine's two operations: find the key centers of a chart, and
// annotate a chart under key centers (the ones found, or the ones the user
// settled on). Both take the chart's chords bar by bar and are pure.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/analysis/output.h"
#include "core/analysis/structana.h"

namespace zub::Kov {

using Bar_chords = std::vector<Chord_entry>;
// A key name ("F", "Dm") and how many beats it lasts, in chart order from the start.
using Key_center = std::pair<std::string, int>;

// partition({{{"Dm7", 2}, {"G7", 2}}, {{"C", 4}}}) -> {("C", 8)}; an empty chart gives
// no key centers. Chord symbols that do not parse fail with the chord parser's message.
std::vector<Key_center> partition(const std::vector<Bar_chords>& bars);

// The chords cut into segments by the key centers, each grouped on its own, then
// labelled and laid out in slots. "Not enough chords for repartitioning" when the
// key centers last longer than the chords or end inside a chord; chords after
// the last key center are left out.
Analysis_result annotate(const std::vector<Bar_chords>& bars, const std::vector<Key_center>& key_centers);

}  // namespace zub::Kov
