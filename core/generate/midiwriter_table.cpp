#include "core/generate/midiwriter_table.h"

namespace zub::Midiwriter {

const std::vector<std::pair<std::string_view, int>>& key_signature_table() {
    static const std::vector<std::pair<std::string_view, int>> table = {
        {"C", 0},   {"G", 1},   {"D", 2},   {"A", 3},   {"E", 4},   {"B", 5},   {"F#", 6},  {"C#", 7},
        {"F", -1},  {"Bb", -2}, {"Eb", -3}, {"Ab", -4}, {"Db", -5}, {"Gb", -6}, {"Cb", -7},
    };
    return table;
}

}  // namespace zub::Midiwriter
