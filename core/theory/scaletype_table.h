// The scale-type definitions as plain data.
#pragma once

#include <array>
#include <string_view>

namespace zub {

struct Scaledef {
    std::string_view name;       // lower case, may hold a space: "harmonic minor"
    std::string_view intervals;  // interval-list text above the root
};

extern const std::array<Scaledef, 5> scaledefs;

}  // namespace zub
