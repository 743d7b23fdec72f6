// The chord-type definitions as plain data.
#pragma once

#include <array>
#include <string_view>

namespace zub {

struct Chorddef {
    std::string_view name;       // the text after the root in a chord symbol
    std::string_view intervals;  // interval-list text
};

// The 38 original definitions come first, in their original order.
inline constexpr std::size_t original_chorddef_count = 38;
inline constexpr std::size_t chorddef_count = 68;

extern const std::array<Chorddef, chorddef_count> chorddefs;

}  // namespace zub
