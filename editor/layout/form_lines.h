// Where the lines of a chart break: by the form, never by the width, so the
// lines are the same in every window, with every chord font and on paper. A
// line holds at most the chart's bars per line; a section mark, a repeat
// start, the start of an ending and the start of the coda each begin a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bridge/bar_marks.h"

namespace zub {

// The bars of one line: from first, count of them.
struct LineSpan {
    std::size_t first = 0;
    std::size_t count = 0;
    std::size_t end() const { return first + count; }
    bool operator==(const LineSpan&) const = default;
};

// beginsEnding(marks, 3): bar 3 is in an ending and bar 2 is not in the same one.
bool beginsEnding(const std::vector<BarMarks>& marks, std::size_t bar);

// formLineStarts(section marks, marks) -> for each bar whether the form begins a
// line there; both vectors have one entry per bar (the shorter one decides).
std::vector<bool> formLineStarts(const std::vector<std::int64_t>& sectionMarks, const std::vector<BarMarks>& marks);

// linesByForm({1,0,0,0,0,0,1,0}, 4) -> [0, 4) [4, 6) [6, 8); no bars give one empty line.
// barsPerLine below 1 counts as 1.
std::vector<LineSpan> linesByForm(const std::vector<bool>& starts, int barsPerLine);

// drawsAboveChords(marks): the bar has a sign, bracket or text over its chords (an
// ending, segno, coda, To Coda, Fine, a direction, a repeat count above 2), so its
// line reserves a band for them.
bool drawsAboveChords(const BarMarks& marks);

}  // namespace zub
