// The playhead as the window shows it: from the player's position (a tick)
// and the map of the played bars back to the chart, the chart slot to light
// and the transport's text. No widget: the chart view draws what this says.
#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>

#include "editor/layout/chart_layout.h"
#include "editor/model/bar_operations.h"
#include "playback/time_map.h"

class QPainter;

namespace zub {

struct Playhead {
    std::optional<SlotRef> slot;  // the chart slot sounding; none in the count-in and when stopped
    QString position;             // "12:3" (bar:beat), "Count-in 2:1", "" when stopped
    QString pass;                 // "2/3" in a chorus played more than once, else ""
    bool operator==(const Playhead&) const = default;
};

// How many slots a chart bar has now; 0 for a bar the chart no longer has.
using SlotCount = std::function<std::size_t(std::size_t bar)>;

// playheadAt(map, tick, slotCount): the second pass of a chorus on bar 3, beat 2
// -> slot {2, 1}, "3:2", "2/3". A bar of fewer slots than beats lights the
// slot the beat falls in. A bar the chart no longer has (edited while
// playing) lights nothing but keeps its text; a tick below 0 is "not yet sounding": {}.
Playhead playheadAt(const playback::Time_map& map, long tick, const SlotCount& slotCount);

// The highlight drawn under the chords: the bar lightly, its sounding slot more.
void drawPlayhead(QPainter& painter, const ChartLayout& layout, SlotRef slot);
// The area the highlight of slot covers, for scrolling it into view; empty outside the layout.
LayoutRect playheadArea(const ChartLayout& layout, SlotRef slot);

}  // namespace zub
