// iReal Pro style texts ("Medium Swing", "Bossa Nova", "Jazz Waltz") and our
// style codes and tempos.
#pragma once

#include <string_view>

namespace zub::Ireal_style {

// 4 (Bossa Nova) for bossa, samba and other Brazilian grooves, 8 (Jazz Waltz)
// for waltzes, 1 otherwise; the groove ("Latin-Brazil: Bossa Electric") counts too.
int style_type(std::string_view style, std::string_view groove);

// The tempo a style is played at when the song gives none:
// "Ballad" 66, "Slow Swing" 90, "Medium Swing" 140, "Up Tempo Swing" 240, "Bossa Nova" 130, other 120.
int usual_tempo(std::string_view style);

// The style text we write for a style code: 4 "Bossa Nova", 8 "Jazz Waltz", else "Medium Swing".
std::string_view style_text(int type);

}  // namespace zub::Ireal_style
