// Playing out the form of an iReal Pro chart: repeats "{ }" with their counts,
// endings N1 N2 N3 (N0 takes the number after the ending before it), D.C. and
// D.S. al Coda or al Fine, an intro "*i" and a coda. Our chart holds one
// chorus, so the result is the played order of the written bars in three parts:
//   intro   the bars of an intro at the very start ("*i" up to the next
//           section mark, repeat or double bar line), played once;
//   chorus  the tune played through once, repeats taken, up to the bar with
//           the D.C./D.S. text or to the coda;
//   ending  after the last chorus: the way back of a D.C./D.S. (from the top of
//           the tune or the segno, no repeats, last endings) to the coda sign,
//           the Fine or the end, then the coda. A coda without D.C./D.S. is
//           played once after the last chorus.
// A D.C. goes back to the top of the tune, after the intro.
#pragma once

#include <cstddef>
#include <vector>

#include "core/charts/ireal_cells.h"

namespace zub::Ireal_form {

struct Played {
    std::vector<std::size_t> intro;   // indexes into the written bars
    std::vector<std::size_t> chorus;
    std::vector<std::size_t> ending;
};

// Failures: "Ending 2 without a repeat", "D.S. without a segno", "The form does not end"
// (more than 20,000 bars played).
Played play(const std::vector<Ireal_cells::Written_bar>& bars);

}  // namespace zub::Ireal_form
