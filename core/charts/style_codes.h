// The style codes of the chart record and their names. The codes a BiaB song
// file carries mean BiaB's built-in styles (1 Jazz Swing, 4 Bossa Nova, 6
// Blues Shuffle, 8 Waltz, 16 Funk, 17 Jazz Waltz, ...); the styles BiaB has no
// code for take codes 25 to 30, beyond its built-in ones. The text chart
// names the style ("Style: Latin"); a BiaB file written from a chart gets the
// nearest built-in style.
#pragma once

#include <optional>
#include <string_view>

namespace zub::Style_codes {

inline constexpr int swing = 1;
inline constexpr int bossa_nova = 4;
inline constexpr int jazz_waltz = 8;
inline constexpr int ballad = 25;
inline constexpr int two_feel = 26;
inline constexpr int even_eighths = 27;
inline constexpr int latin = 28;
inline constexpr int funk = 29;
inline constexpr int shuffle = 30;

// of_name("Latin") -> 28, of_name("Bossa Nova") -> 4; nothing for another
// name (the text reader then takes 1). Names compare whole and exactly.
std::optional<int> of_name(std::string_view name);
// name(28) -> "Latin"; "Swing" for 1 and for any code without a name of its own.
std::string_view name(int code);
// The BiaB built-in style nearest a code: ballad 9 (Pop Ballad), two-feel 1,
// even eighths 11 (Lite Rock), Latin 18 (Rhumba), funk 16, shuffle 6 (Blues
// Shuffle); any other code unchanged.
int biab_code(int code);

}  // namespace zub::Style_codes
