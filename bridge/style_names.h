// The accompaniment styles by name, for choosing one: "Swing", "Bossa Nova",
// "Jazz Waltz", "Ballad", "Two-Feel", "Even 8ths", "Latin", "Funk", "Shuffle",
// and the chart dictionary's "Style"/"StyleType" code of each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// The names in menu order.
std::vector<std::string> styleNames();
// styleCodeOfName("Latin") -> 28; none for a name not listed.
std::optional<std::int64_t> styleCodeOfName(std::string_view name);
// styleNameOfCode(28) -> "Latin"; "Swing" for 1 and any code without a name of its own.
std::string styleNameOfCode(std::int64_t code);
// The file type of a BiaB song written from a chart of this style: "sg" and
// the character of the nearest BiaB style, 1 to 9 then A to Z (BiaB's 10 is
// "sgA", 17 the jazz waltz "sgH"). biabFileType(28) -> "sgI" (Latin as Rhumba).
// std::nullopt for a code without a character (below 0, or above 35).
std::optional<std::string> biabFileType(std::int64_t code);
// The chart with its "Style"/"StyleType" set to code; the meter is kept.
Plist chartWithStyle(const Plist& chart, std::int64_t code);

}  // namespace zub
