// iReal Pro chord qualities and our chord types, both ways. The official
// qualities are the text after the root in an iReal chord ("^7", "-7b5",
// "7alt"); each stands for one interval list, printed under our name when it
// has one (^7 -> Maj7) and as an explicit list otherwise (o -> ":b3.b5").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvllist.h"

namespace zub::Ireal_quality {

// The official qualities in the order of the app's list, "" (the major triad) first.
const std::vector<std::string_view>& official();

// The length of the longest official quality at the start of text:
// "7b9sus |" -> 6, "7s" -> 1, "sus" -> 3, "xyz" -> 0 (the triad).
std::size_t longest_match(std::string_view text);

// Our type text for an official quality: "-7" -> "m7", "o" -> ":b3.b5", "7#5" -> "7+".
// Throws Not_found for text that is not an official quality. Also accepts the
// unofficial qualities musicians write ("o^7", "m", "maj7" ...).
const std::string& type_of_quality(std::string_view quality);

// The official quality for a chord type: the one with exactly this list, else the
// nearest (most intervals in common, then fewest differing, then earliest in the
// list): 3.5.7 -> "^7", 3.5.b7.b9.13 -> "13b9".
std::string_view quality_of_type(const Intvllist& type);

}  // namespace zub::Ireal_quality
