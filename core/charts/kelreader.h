// Reads a chart written as plain text: header lines (Name, Meter, Style, Key,
// Tempo, Chorus, Sections, in any order, repeatable; "Meter: 2/4" to "7/4",
// any other value 4) and bar lines of chord symbols between "|" characters.
// Chord symbols are split off, not checked; an interval list that has a name
// is read under it (B:3.5.b7.b13 -> B7b13).
//
//   Name: Example
//   Chorus: bars 1 to 4 (repeat 3 times)
//   Sections: 1A 3B
//   | F | Gm7 C7 | _ F7 Bb _ | C7 |
#pragma once

#include <string>
#include <string_view>

#include "core/charts/chart.h"

namespace zub::Kelreader {

// Lines end at a newline, with an optional carriage return before it; text
// after the last newline is the last line. Each token of a bar is worth
// meter div tokens beats; "_" holds the chord before it, across bar lines too.
// Failures: "Invalid input line: <line>", "Invalid chorus line: <value>",
// "Invalid section specification: <piece>", "First chord cannot be _",
// "int_of_string" for a number that is not a decimal whole number,
// "Empty bar in line: <line>".
Chart read_chart(std::string_view text);

// read_chart of a file's content; "Cannot open file: <path>" when unreadable.
Chart read_file(const std::string& path);

}  // namespace zub::Kelreader
