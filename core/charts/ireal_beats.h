// Beats from iReal cells. Cells are not beats: each chord starts with one beat,
// the blank cells after it (and "p") go to it, then beats are taken back
// from the last chord backwards or handed out from the first chord onwards, one
// at a time round the bar, until the bar holds its beats. "n" is a chord of
// its own, "N.C.".
//   4/4 "C7 F7" (2 cells) -> C7 2, F7 2; 3/4 "C _ F _" -> C 2, F 1;
//   4/4 "C _ _ _ F _ _ _" (8 cells) -> C 2, F 2.
#pragma once

#include <string>
#include <vector>

#include "core/charts/chart.h"
#include "core/charts/ireal_cells.h"

namespace zub::Ireal_beats {

// One bar: blanks before the first chord hold carried (the chord sounding
// before the bar) or, with none, go to the first chord; a bar without chords
// holds carried ("" at the start of a song). Failure "More chords than beats: 5 in 4"
// when the chords outnumber the beats.
Chart::Bar fit_bar(const std::vector<Ireal_cells::Cell>& cells, int beats, const std::string& carried);

// Every written bar, "x" and "r" played as copies of the bars before them.
// Failures: fit_bar's, with "in bar N" after it, and "Repeat sign without bars before it in bar N".
std::vector<Chart::Bar> bars_of(const std::vector<Ireal_cells::Written_bar>& written);

}  // namespace zub::Ireal_beats
