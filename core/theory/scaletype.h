// Scale types: an interval list named by the table of five definitions (major,
// harmonic minor, melodic minor, diminished, whole tone). Names are lower case
// and case-sensitive. A type text starting with ":" is an explicit interval
// list without a name, the form a synthetic scale takes.
//   Scaletype::of_string("major") -> 2.3.4.5.6.7; of_string(":2.b3.5") -> that list.
//   Scaletype::to_string(2.3.b5.#5.b7) -> "whole tone"; to_string(2.b3.5) -> ":2.b3.5".
//   Scaletype::nth(diminished, 2) -> #2.
//   Scaletype::names_in_order() -> "major" first, "whole tone" last: the order
//   in which the compatibility table enumerates scales.
#pragma once

#include <cstddef>

#include "core/theory/scaletype_table.h"
#include "core/theory/type_table.h"

namespace zub {

struct Scaletype : Type_table<Scaletype> {
    static const auto& definitions() { return scaledefs; }
    static constexpr std::size_t initial_size = 10;
};

}  // namespace zub
