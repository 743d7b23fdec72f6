// Chord kinds: any chord type reduced to one of eight basic qualities, the
// vocabulary of the harmonic analysis: "7", "" (major), "m6", "m7", "mMaj7",
// "m", "m7b5", "dim". A type that has none of them is "??" (not a valid kind).
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvl.h"
#include "core/theory/intvllist.h"

namespace zub {

// Intervals ordered by degree, then alteration: 9 and 2 are different members.
struct Intvl_less {
    bool operator()(const Intvl& a, const Intvl& b) const { return Intvl::compare(a, b) < 0; }
};
using Intvlset = std::set<Intvl, Intvl_less>;

namespace Chordkind {

// The first kind whose defining intervals the type contains: 3.5.b7.9 -> "7",
// 3.b5.b7 -> "7" (3 and b7 are tested first), 3.#5 -> "??".
std::string of_chordtype(const Intvllist& type);
// is_valid("m7") -> true, is_valid("??") -> false, is_valid("9") -> false.
bool is_valid(std::string_view kind);
// intvlset_of_intvllist(3.5.b7) -> {3, 5, b7}.
Intvlset intvlset_of_intvllist(const Intvllist& list);
// invtlset_of_string_list({"3", "b7"}) -> {3, b7}; "Invalid interval: x" for a bad text.
Intvlset invtlset_of_string_list(const std::vector<std::string_view>& texts);

}  // namespace Chordkind
}  // namespace zub
