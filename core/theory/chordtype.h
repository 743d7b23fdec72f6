// Chord types: an interval list named by the table of definitions (the 38
// original names and the jazz names added after them: 7b13, 7alt, 13#11, ...).
// Names are case-sensitive ("m7", "Maj7"; "maj7" is not a name). A type text
// starting with ":" is an explicit interval list, which prints under its name
// when it has one (":3.5.b7.b13" prints "7b13").
//   Chordtype::of_string("m7") -> b3.5.b7; of_string(":3.5.b7.b13") -> that list;
//   of_string(":") -> empty; Not_found for "maj7".
//   Chordtype::to_string(3.#5.b7) -> "7+"; to_string(3.5) -> ""; to_string(3.b7) -> ":3.b7".
//   Chordtype::all_names() -> every name, the major triad's "" among them.
#pragma once

#include <cstddef>

#include "core/theory/chordtype_table.h"
#include "core/theory/type_table.h"

namespace zub {

struct Chordtype : Type_table<Chordtype> {
    static const auto& definitions() { return chorddefs; }
    static constexpr std::size_t initial_size = 50;
};

}  // namespace zub
