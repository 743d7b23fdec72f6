// Chord symbols as musicians write them, respelled into the core's names:
// "maj7", "M7", "Δ7" and "^7" are Maj7, "-7" is m7, "ø" is m7b5, "°7" is dim7,
// "alt" is 7alt, "6/9" is 69, "7(#11,b9)" is 7b9#11. Chord entry and the command
// line's lenient mode use it; the core's parser itself stays strict. Texts are
// UTF-8; the display sharp and flat (U+266F, U+266D) are read as "#" and "b",
// and results use the core's ASCII "#" and "b". No Qt.
#pragma once

#include <string>
#include <string_view>

namespace zub::Chord_spelling {

// respell_type("maj7") -> "Maj7"; ("-7b5") -> "m7b5"; ("ø") -> "m7b5"; ("Δ") -> "Maj7";
// ("o7") -> "dim7"; ("alt") -> "7alt"; ("7#11b9") -> "7b9#11"; ("sus4") -> "sus".
// A name or the beginning of one comes back as it is ("m7", "Ma", "7b"), so that the
// text being typed is never rewritten early. A text that is no spelling we know comes
// back with only its accidentals made ASCII. Never fails.
std::string respell_type(std::string_view typed);

// could_become_type("al") -> true (alt), ("m(ma") -> true (m(maj7)), ("7#1") -> true,
// ("x") -> false: whether more typing can still make a type that respell_type turns
// into a name, so chord entry can take the keystroke without rewriting it yet.
bool could_become_type(std::string_view typed);

// respell_symbol("dmaj7/f#") -> "DMaj7/F#"; ("C6/9") -> "C69"; ("B♭-7") -> "Bbm7";
// ("F♯ø") -> "F#m7b5". The root and bass letters are upper-cased; a slash between
// two digits belongs to the type ("6/9"), any other slash starts the bass. A text
// without a note letter first comes back with only its accidentals made ASCII.
// Never fails: the core's chord parser judges the result.
std::string respell_symbol(std::string_view typed);

// lenient_printname("Cmaj7") -> "CMaj7"; ("G7alt/B") -> "G7alt/B"; ("D7♭13") -> "D7b13":
// the core's chord_printname of respell_symbol. What no respelling makes a chord
// fails as the strict parser fails on the text typed ("Cmaj" -> "Unknown chord
// type: maj", "c-x" -> "Invalid chord: c-x"). For `zub chord --lenient`.
std::string lenient_printname(std::string_view typed);

}  // namespace zub::Chord_spelling
