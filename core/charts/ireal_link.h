// The container of iReal Pro songs: links found in text, percent-decoding,
// splitting a link into songs and fields, and the scrambling of the music
// field (a fixed permutation of 50-character blocks plus three substitutions).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zub::Ireal_link {

// Every link in text, in order, each up to the first '"', '<', '>' or blank:
// "see <a href=\"irealb://A%3DB\">" -> {"irealb://A%3DB"}.
std::vector<std::string_view> find_links(std::string_view text);

// Every "%XX" as its byte; '+' stays '+'. A '%' not followed by two hex digits stays as written.
std::string percent_decode(std::string_view text);
// Every byte but letters, digits and - _ . ! ~ * ' ( ) as "%XX": "A=B C" -> "A%3DB%20C".
std::string percent_encode(std::string_view text);

// The music field after its "1r34LbKcu7" prefix back to the cell language:
// blocks unpermuted, then "XyQ" -> three blanks, "LZ" -> " |", "Kcl" -> "| x".
// Counts UTF-8 code points (a stray byte counts as one).
std::string unscramble(std::string_view music);
// The three substitutions alone, for music that was never scrambled.
std::string expand(std::string_view progression);
// The reverse of unscramble, prefix included.
std::string scramble(std::string_view progression);

inline constexpr std::string_view music_prefix = "1r34LbKcu7";

}  // namespace zub::Ireal_link
