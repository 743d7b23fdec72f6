// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// The walk from the written form to the played order of the bars. The bars
// before the chorus are played once, the chorus (begin..end) repeats times,
// the bars after it once; on the way:
//   repeats   a bar with repeat_end goes back to the last repeat_start (or to
//             the start of the part, or to the bar after the repeat before)
//             until it has been played repeat_end times, or as many times as
//             its endings need;
//   endings   a bar of an ending is played on the passes it names; passes
//             past the last ending take the last; an ending no repeat closes
//             is always played;
//   D.C./D.S. taken after its bar, once a pass, on the last pass of a repeat
//             around it: D.C. to the first bar (intro included), D.S. to the
//             segno (a D.C. when there is none). The way back takes no repeats
//             and the last endings ("al 2nd End.": the second, going on from
//             it), stops at the Fine ("al Fine"), and jumps at the To Coda
//             sign ("al Coda");
//   coda      with no "al Coda" anywhere, the To Coda sign is an outro: taken
//             on the last chorus pass only (and outside the chorus); the coda
//             plays its repeats as written.
#pragma once

#include <vector>

#include "core/charts/form.h"

namespace zub {

struct Played_bar {
    int bar = 0;   // the written bar, from 0
    int pass = 0;  // the chorus pass, from 1; 0 before and after the chorus
    bool operator==(const Played_bar&) const = default;
};

struct Chorus_range {
    int begin = 1;    // first chorus bar, from 1
    int end = 1;      // last chorus bar, inclusive
    int repeats = 1;  // below 1: the chorus is left out
};

// The most bars a form may play.
inline constexpr std::size_t max_played_form_bars = 20000;

// play_form(forms, chorus) -> the played bars. Bridge_exception ("playForm") naming the bar:
// "Bar 7: To Coda without a coda after it", "Bar 3: the form plays more than 20000 bars",
// and "Chorus bars 3-9 outside the chart's 8 bars".
std::vector<Played_bar> play_form(const std::vector<Bar_form>& forms, Chorus_range chorus);

}  // namespace zub
