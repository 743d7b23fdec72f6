// The chord-type definitions as plain data.
#pragma once

#include <array>
#include <string_view>

namespace zub {

struct Chorddef {
    std::string_view name;       // the text after the root in a chord symbol
    std::string_view intervals;  // interval-list text
};

extern const std::array<Chorddef, 38> chorddefs;

}  // namespace zub
