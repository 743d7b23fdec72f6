// The three fixed tables shared by the whole music-theory layer.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zub::Constants {

// Letter name by letter index 0..6: letter_names[3] == "F".
inline constexpr std::array<std::string_view, 7> letter_names = {"C", "D", "E", "F", "G", "A", "B"};

// Alteration text by alteration + 2: alteration_names[0] == "bb", [2] == "" (natural).
inline constexpr std::array<std::string_view, 5> alteration_names = {"bb", "b", "", "#", "##"};

// Semitones above C of natural letter index 0..6, and the size of the major or
// perfect interval of degree index 0..12: degree_semitones[8] == 14 (a ninth).
inline constexpr std::array<int, 13> degree_semitones = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21};

// Length of the alteration text that starts at pos, trying "##", "#", "bb", "b"
// in that order as the note and interval patterns do: 2 for "##7", 0 for "7".
constexpr std::size_t alteration_length(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || (text[pos] != '#' && text[pos] != 'b')) return 0;
    return pos + 1 < text.size() && text[pos + 1] == text[pos] ? 2 : 1;
}

// The alteration -2..2 that an alteration text (as measured above) stands for:
// alteration_value("bb") == -2, alteration_value("") == 0.
constexpr int alteration_value(std::string_view alteration_text) {
    const int size = static_cast<int>(alteration_text.size());
    return alteration_text.empty() || alteration_text[0] == '#' ? size : -size;
}

}  // namespace zub::Constants
