// BiaB song files store a chord's type as a one-byte code 1..184. This module
// maps the codes to the core's chord types and back through one fixed table.
#pragma once

#include <string>
#include <string_view>

namespace zub::Biabchords {

// to_kel(64) -> "7", to_kel(11) -> ":5.7.9" (a type without a name).
// Failure "Unknown BiaB chord code: 27" for an empty slot, and
// "BiaB chord code out of range: 185" for a code outside 1..184.
std::string to_kel(int code);

// of_kel("7") -> 64, of_kel(":3.5.b7") -> 64, of_kel("") -> 1 (never the
// duplicate 2: always the lowest code of a list). Not_found for an unknown
// name or a type without a code; "Invalid interval: ..." for a bad list.
int of_kel(std::string_view type_text);

// nearest_code("dim7") -> 33, the code of b3.b5: of_kel's code when there is one,
// else the code of the nearest list (Intvllist's nearest: most intervals in
// common, then fewest differing, then the lowest code). Not_found when even that
// code holds fewer than half of the type's intervals (":b2.b6" shares none), or for
// an unknown name; "Invalid interval: ..." for a bad list.
int nearest_code(std::string_view type_text);

}  // namespace zub::Biabchords
