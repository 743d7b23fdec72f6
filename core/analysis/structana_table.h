// The fixed tables of the structural grouping, as plain data.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace zub {

// Weight of each position of a 16-unit span, strongest first at 0, then 8,
// then 4 and 12, then the other even positions, then the odd ones.
extern const std::array<int, 16> metric_weights;

// A turnaround: four roman chords of equal length and the roman keys it names.
struct Turnaround_row {
    std::array<std::string_view, 4> pattern;
    std::vector<std::string_view> keys;
};

// The thirteen turnarounds, in the order they are tried.
extern const std::array<Turnaround_row, 13> turnaround_rows;

}  // namespace zub
