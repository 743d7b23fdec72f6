// iReal Pro style texts ("Medium Swing", "Bossa Nova", "Jazz Waltz") and our
// style codes and tempos.
#pragma once

#include <string_view>

namespace zub::Ireal_style {

// The nearest style's code (style_codes.h), the groove ("Pop-Shuffle",
// "Latin-Brazil: Bossa Electric") before the style text: waltzes 8, bossa,
// samba and other Brazilian grooves 4, "Ballad" 25, "Swing Two/Four" and
// "Two-Beat" 26, "Pop", "Rock", "Soul", "Folk", "Country", "Even 8ths" 27,
// "Latin", "Afro", "Mambo", "Cha Cha", "Son" 28, "Funk", "RnB" 29, "Shuffle"
// and "... Shuffle" 30; 1 (swing) otherwise.
int style_type(std::string_view style, std::string_view groove);

// The tempo a style is played at when the song gives none:
// "Ballad" 66, "Slow Swing" 90, "Medium Swing" 140, "Up Tempo Swing" 240, "Bossa Nova" 130, other 120.
int usual_tempo(std::string_view style);

// The style text we write for a style code: 4 "Bossa Nova", 8 "Jazz Waltz",
// 26 "Swing Two/Four", the name of another of our styles ("Latin"), else "Medium Swing".
std::string_view style_text(int type);

}  // namespace zub::Ireal_style
