// Text at the core boundary: the editor keeps UTF-8, the core reads and writes
// ISO Latin 1 (one byte per character, U+0000..U+00FF).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zub {

// is_valid_utf8("F\u266F") -> true; false for stray continuation bytes, overlong
// forms, surrogates, code points above U+10FFFF and truncated sequences.
bool is_valid_utf8(std::string_view text);

// utf8_to_latin1("Caf\u00E9") -> "Caf\xE9"; nullopt for invalid UTF-8 or a
// character above U+00FF (callers report "Cannot convert to Latin 1").
std::optional<std::string> utf8_to_latin1(std::string_view utf8);

// latin1_to_utf8("Caf\xE9") -> "Caf\u00E9"; every byte is a character, so this never fails.
std::string latin1_to_utf8(std::string_view latin1);

}  // namespace zub
