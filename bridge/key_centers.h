// Key centers kept in the key slots of bar dictionaries, and the key-center
// list derived from them: an array of {"Key": key name, "Beats": slots}, in
// chart order. Plain functions over arrays of bar dictionaries.
#pragma once

#include <string>

#include "bridge/plist.h"

namespace zub {

// keyCenters(bars with key slots [F F F F] [F F G G]) -> ({Key F, Beats 6}, {Key G, Beats 2}).
// An unassigned slot ("") absorbs every later slot into one last entry with an
// empty key; no bars give the single entry {Key "!", Beats 0}.
// Throws Bridge_exception for a bar without a "Keys" array of strings.
Plist keyCenters(const Plist::Array& bars);

// setKeyCenters(bars, list) -> copies of the bars with each entry's key written
// into its next "Beats" slots, continuing into the next bar; slots beyond the
// list keep their key, and entries reaching past the last slot are cut off there.
// Throws Bridge_exception for a malformed bar or entry.
Plist::Array setKeyCenters(const Plist::Array& bars, const Plist::Array& key_centers);

// barsWithoutKeyCenter(bars) -> "3-4, 9": the bars (counted from 1) with a slot that has no
// key center, runs of bars joined; "" when every slot has one.
std::string barsWithoutKeyCenter(const Plist::Array& bars);

}  // namespace zub
