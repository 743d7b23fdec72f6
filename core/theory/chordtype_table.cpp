// The chord-type definitions, in the order they are defined: the 38 original
// ones, then the names jazz charts use beyond them. Three pairs of the first
// block share one list; the later name is the printed one (7+, 9+, dim7).
// Every list of the second block is new and has exactly one name, so adding
// it changes no earlier print.
#include "core/theory/chordtype_table.h"

namespace zub {

const std::array<Chorddef, chorddef_count> chorddefs = {{
    {"", "3.5"},
    {"Maj7", "3.5.7"},
    {"Maj9", "3.5.7.9"},
    {"6", "3.5.6"},
    {"69", "3.5.6.9"},
    {"Maj7#11", "3.5.7.#11"},
    {"sus", "4.5"},
    {"7sus", "4.5.b7"},
    {"9sus", "4.5.b7.9"},
    {"m", "b3.5"},
    {"m7", "b3.5.b7"},
    {"m9", "b3.5.b7.9"},
    {"m11", "b3.5.b7.9.11"},
    {"m6", "b3.5.6"},
    {"mMaj7", "b3.5.7"},
    {"7", "3.5.b7"},
    {"9", "3.5.b7.9"},
    {"13", "3.5.b7.9.11.13"},
    {"7b9", "3.5.b7.b9"},
    {"13b9", "3.5.b7.b9.11.13"},
    {"7#9", "3.5.b7.#9"},
    {"13#9", "3.5.b7.#9.11.13"},
    {"7b5", "3.b5.b7"},
    {"9b5", "3.b5.b7.9"},
    {"7#5", "3.#5.b7"},
    {"9#5", "3.#5.b7.9"},
    {"7+", "3.#5.b7"},
    {"9+", "3.#5.b7.9"},
    {"7#5#9", "3.#5.b7.#9"},
    {"7b5b9", "3.b5.b7.b9"},
    {"7#5b9", "3.#5.b7.b9"},
    {"7b5#9", "3.b5.b7.#9"},
    {"7#11", "3.5.b7.#11"},
    {"9#11", "3.5.b7.9.#11"},
    {"m7b5", "b3.b5.b7"},
    {"dim", "b3.b5.6"},
    {"dim7", "b3.b5.6"},
    {"+", "3.#5"},
    // Names musicians write that used to print as interval lists. Where a BiaB
    // code has the chord, the list is that code's (7alt is code 113).
    {"7b13", "3.5.b7.b13"},
    {"7alt", "3.b5.#5.b7.b9.#9"},
    {"13#11", "3.5.b7.9.#11.13"},
    {"11", "3.5.b7.9.11"},
    {"add9", "3.5.9"},
    {"madd9", "b3.5.9"},
    {"m69", "b3.5.6.9"},
    {"mMaj9", "b3.5.7.9"},
    {"mb6", "b3.5.b6"},
    {"m#5", "b3.#5"},
    {"Maj7#5", "3.#5.7"},
    {"Maj9#11", "3.5.7.9.#11"},
    {"Maj13", "3.5.7.9.11.13"},
    {"7b9b13", "3.5.b7.b9.b13"},
    {"7b9#11", "3.5.b7.b9.#11"},
    {"7b9#9", "3.5.b7.b9.#9"},
    {"7#9#11", "3.5.b7.#9.#11"},
    {"7#9b13", "3.5.b7.#9.b13"},
    {"7b9sus", "4.5.b7.b9"},
    {"7b13sus", "4.5.b7.b13"},
    {"13sus", "4.5.b7.9.13"},  // no 11: the 4 is already there
    {"7susadd3", "3.4.5.b7"},
    {"sus2", "2.5"},
    {"5", "5"},
    {"dimMaj7", "b3.b5.7"},
    {"m9b5", "b3.b5.b7.9"},
    {"m13", "b3.5.b7.9.11.13"},
    {"m7#5", "b3.#5.b7"},
    {"9b13", "3.5.b7.9.b13"},
    {"13b9#11", "3.5.b7.b9.#11.13"},
}};

}  // namespace zub
