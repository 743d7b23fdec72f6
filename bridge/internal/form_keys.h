// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// The form marks of a bar dictionary, under optional keys that charts without
// them never carry:
//   "RepeatStart" true, "RepeatEnd" 3 (times played, 2 to 999),
//   "Endings" (1, 2) (the passes the bar is played on, 1 to 9, rising),
//   "Segno" true, "ToCoda" true (the jump to the coda follows the bar),
//   "Coda" true (the coda starts here), "Fine" true,
//   "Direction" "D.S. al Coda" (taken after the bar; see Direction in core/charts/form.h),
//   "Time" "5/4" (where the meter changes; the bar then has that many slots).
// A slot of "Chords" holding "N.C." has no chord.
#pragma once

#include "bridge/plist.h"
#include "core/charts/form.h"

namespace zub {

// barFormOf({..., RepeatEnd 3, Time "5/4"}) -> repeat_end 3, time 5/4. Bridge_exception
// ("barFormOf") for a wrong kind ("Wrong type for key Segno: expected boolean, found string")
// or value ("Invalid repeat count: 1", "Invalid ending: 0", "Invalid direction: D.X.",
// "Invalid time signature: 5/3").
Bar_form barFormOf(const Plist& bar);

// withBarForm(bar, form) -> bar with exactly the keys form needs (false flags and empty values
// leave their key out).
Plist withBarForm(const Plist& bar, const Bar_form& form);

}  // namespace zub
