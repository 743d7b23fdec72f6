// Display sharps and flats. The core spells accidentals with ASCII "#" and
// "b"; the editor shows and stores the display strings of the constants table
// (U+266F, U+266D). Both directions replace every occurrence literally.
#pragma once

#include <string>
#include <string_view>

namespace zub {

// replaceWithUnicodeSharpsAndFlats("Bb7#11") -> "B\u266D7\u266F11". Never fails.
std::string replaceWithUnicodeSharpsAndFlats(std::string_view ascii);

// replaceWithAsciiSharpsAndFlats("B\u266D7\u266F11") -> "Bb7#11". Never fails.
std::string replaceWithAsciiSharpsAndFlats(std::string_view display);

// replace_all("a-b-c", "-", "+") -> "a+b+c"; an empty from leaves text as it is.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);

}  // namespace zub
