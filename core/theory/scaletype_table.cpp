// The five scale types, in the order they are defined. No two share a list.
#include "core/theory/scaletype_table.h"

namespace zub {

const std::array<Scaledef, 5> scaledefs = {{
    {"major", "2.3.4.5.6.7"},
    {"harmonic minor", "2.b3.4.5.b6.7"},
    {"melodic minor", "2.b3.4.5.6.7"},
    {"diminished", "b2.#2.3.b5.5.6.b7"},  // half-step/whole-step, eight notes
    {"whole tone", "2.3.b5.#5.b7"},
}};

}  // namespace zub
