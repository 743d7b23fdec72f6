// Chord types: an interval list named by the table of definitions (the 38
// original names and the jazz names added after them: 7b13, 7alt, 13#11, ...).
// Names are case-sensitive ("m7", "Maj7"; "maj7" is not a name). A type text
// starting with ":" is an explicit interval list, which prints under its name
// when it has one (":3.5.b7.b13" prints "7b13").
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvllist.h"
#include "core/theory/intvllisttbl.h"

namespace zub::Chordtype {

// The table, filled once with the definitions on first use and never changed.
const Intvllisttbl& table();

// of_string("m7") -> b3.5.b7; of_string(":3.5.b7.b13") -> that list; of_string(":") -> empty.
// Throws Not_found for an unknown name, Failure "Invalid interval: ..." for a bad explicit list.
Intvllist of_string(std::string_view text);
// The name defined last for the list ("7+" for 3.#5.b7, "" for 3.5, "7b13" for
// 3.5.b7.b13), or ":" and the list when it has none (":3.b7").
std::string to_string(const Intvllist& type);
void pp(std::ostream& out, const Intvllist& type);
// As Intvllist::nth.
Intvl nth(const Intvllist& type, int degree);
// Every name, the major triad's "" among them, in no particular order.
std::vector<std::string> all_names();

}  // namespace zub::Chordtype
