// Scale types: an interval list named by the table of five definitions (major,
// harmonic minor, melodic minor, diminished, whole tone). Names are lower case
// and case-sensitive. A type text starting with ":" is an explicit interval
// list without a name, the form a synthetic scale takes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvllist.h"
#include "core/theory/intvllisttbl.h"

namespace zub::Scaletype {

// The table, filled once with the five definitions on first use and never changed.
const Intvllisttbl& table();

// of_string("major") -> 2.3.4.5.6.7; of_string(":2.b3.5") -> that list.
// Throws Not_found for an unknown name, Failure "Invalid interval: ..." for a bad explicit list.
Intvllist of_string(std::string_view text);
// The name of the list ("whole tone" for 2.3.b5.#5.b7), or ":" and the list (":2.b3.5").
std::string to_string(const Intvllist& type);
void pp(std::ostream& out, const Intvllist& type);
// As Intvllist::nth: nth(diminished, 2) -> #2. Throws Not_found when the degree is absent.
Intvl nth(const Intvllist& type, int degree);
// All five names, in no particular order.
std::vector<std::string> all_names();
// All five names in the order they are defined: "major" first, "whole tone" last.
// The compatibility table enumerates scales in this order.
std::vector<std::string> names_in_order();

}  // namespace zub::Scaletype
