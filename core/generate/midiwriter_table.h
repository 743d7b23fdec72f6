// The key-signature table: major key root to number of sharps, flats negative.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace zub::Midiwriter {

const std::vector<std::pair<std::string_view, int>>& key_signature_table();

}  // namespace zub::Midiwriter
