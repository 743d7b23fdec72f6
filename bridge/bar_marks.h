// The form marks of a written bar as the editor shows them, in plain values
// (bridge/internal/form_keys.h says what each key holds), and the chart's
// "BarsPerLine": how many bars a line of the printed chart holds at most.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bridge/plist.h"

namespace zub {

struct BarMarks {
    bool repeatStart = false;
    int repeatEnd = 0;           // times played, 0 when the bar closes no repeat
    std::vector<int> endings{};  // the passes of the ending the bar is in; empty outside one
    bool segno = false;
    bool toCoda = false;  // the jump to the coda follows the bar
    bool coda = false;    // the coda starts here
    bool fine = false;
    std::string direction{};  // "D.S. al Coda", "" when none
    std::string time{};       // "5/4" where the meter changes, "" when it does not
    bool operator==(const BarMarks&) const = default;
};

// barMarksOf({..., RepeatEnd 3, Endings (1)}) -> repeatEnd 3, endings {1}; a bar without marks
// gives BarMarks{}. Fails as barFormOf does ("Invalid repeat count: 1").
BarMarks barMarksOf(const Plist& bar);

inline constexpr int default_bars_per_line = 4;
inline constexpr int min_bars_per_line = 2;
inline constexpr int max_bars_per_line = 8;

// barsPerLineOf({..., BarsPerLine 6}) -> 6; none for a chart without the key;
// Bridge_exception ("barsPerLineOf", "Invalid bars per line: 9") outside 2..8.
std::optional<int> barsPerLineOf(const Plist& chart);

}  // namespace zub
