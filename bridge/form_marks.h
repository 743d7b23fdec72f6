// The form marks as the editor offers them, without the core's types: the
// time signatures and directions a bar may carry, the slots a time signature
// gives a bar, and why a chart's form cannot be played. The keys themselves
// are listed in bridge/chart_dictionary.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// The chord of a slot where no chord sounds.
inline constexpr std::string_view no_chord_name = "N.C.";

// "2/4" ... "7/4", "6/8", "12/8", in menu order.
std::vector<std::string> timeSignatureNames();
// timeSignatureSlots("5/4") -> 5, ("6/8") -> 2 (dotted quarters); Bridge_exception
// ("timeSignatureSlots", "Invalid time signature: 5/3").
std::size_t timeSignatureSlots(std::string_view name);
// timeSignatureOfMeter(3) -> "3/4": what a bar of the chart's own meter is written as;
// "Invalid time signature: 9/4" outside 2..7.
std::string timeSignatureOfMeter(std::int64_t meter);

// "D.C.", "D.C. al Fine", "D.C. al Coda", "D.C. al 1st End." ... "D.S. al 3rd End.", in menu order.
std::vector<std::string> directionNames();

// formProblem(chart) -> "" when the written form plays, else why not, naming the bar
// ("Bar 7: To Coda without a coda after it"); a bar whose marks do not read gives its reason.
std::string formProblem(const Plist& chart);

}  // namespace zub
