// The form of an iReal Pro chart as our bar marks (core/charts/form.h): the
// chart stays as written, and how it is played is left to the one walk that
// plays every chart. What iReal writes loosely is made explicit here:
//   repeats    a "}" without "{" repeats from the last double bar line (or the
//              top); its count comes from a "3x" text anywhere in the repeat;
//   endings    N1 runs to its "}", the last ending to the next double bar line,
//              as long as the first at most; N0 takes the number after the
//              one before; with a count above the endings, N1 takes the extra passes;
//   coda       the first of two or more "Q" is the jump to the coda (after the
//              bar it ends, before the bar it opens), the last starts the coda;
//   D.C./D.S.  the text belongs to its section: the jump follows the section's
//              last bar (a closing bar line, or the bar before the next section);
//   intro      "*i" on the first bar up to the next section, repeat or double
//              bar line, and the endings that follow its repeat;
//   time       a mark where the time signature changes.
#pragma once

#include <vector>

#include "core/charts/form.h"
#include "core/charts/ireal_cells.h"

namespace zub::Ireal_form {

// One Bar_form per written bar.
std::vector<Bar_form> forms_of(const std::vector<Ireal_cells::Written_bar>& bars, const Time_signature& meter);

// The chorus, bars counted from 1: the tune after the intro, up to the bar before a coda
// that is no part of every pass (no "al Coda" leads to it), else to the last bar.
struct Tune {
    int begin = 1;
    int end = 1;
};
Tune tune_of(const std::vector<Ireal_cells::Written_bar>& bars, const std::vector<Bar_form>& forms);

}  // namespace zub::Ireal_form
