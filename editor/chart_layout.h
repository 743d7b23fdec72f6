// The chart's layout arithmetic, without a display: how wide each bar must
// be, how bars break into lines, where every bar and chord view goes, and
// which bar line each bar gets. The chart view feeds it measured chord widths
// and draws what it returns; tests drive it with known metrics.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/chord_font_metrics.h"

namespace zub {

struct Rect {
    float x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// Every slot of a bar gets the same width, sized for its widest chord; a wide
// chord followed by a narrow one may borrow from it (the pair needs only the average).
float barMinWidth(const std::vector<float>& chord_widths, const ChordFontMetrics& m);

struct Line_entry {
    std::size_t bar;  // index in the chart
    float width;      // the bar's minimal width
};
using Line = std::vector<Line_entry>;

// As many whole bars per line as fit width; a bar wider than width gets a line
// of its own; no bars give one empty line.
std::vector<Line> partitionIntoLinesOfWidth(const std::vector<float>& bar_widths, float width);

// The chord views' frames inside a bar of the given frame width, relative to the bar.
std::vector<Rect> chordFrames(float bar_width, const std::vector<float>& chord_widths, const ChordFontMetrics& m,
                              bool show_analysis);

struct Bar_layout {
    Rect frame;
    bool firstInLine = false;
    bool lastInLine = false;
    std::vector<Rect> chords;
};

struct Chart_layout {
    float width = 0, height = 0;  // the chart view's frame
    float lineHeight = 0;
    std::vector<Bar_layout> bars;
};

struct Layout_request {
    std::vector<std::vector<float>> chord_widths;  // per bar, per slot
    float view_width = 0, view_height = 0;         // the enclosing view
    float title_height = 15;                       // T: 15 while the title is hidden
    bool show_analysis = false;
};

// The full layout: lines stretched to the width between the insets, the last one at natural widths.
Chart_layout layoutChart(const Layout_request& request, const ChordFontMetrics& m);

enum class Bar_line_type { single = 0, double_line = 1, repeat_start = 2, repeat_end = 3 };

// What the bar-line choice needs to know of the chart.
struct Bar_line_context {
    std::vector<bool> begins_section;  // per bar: its section mark is not a space
    int chorus_begin = 1;              // "Begin", from 1
    int chorus_end = 0;                // the last chorus bar's index, from 0 (see chorusEnd)
};

// "End" - 1, or the last bar's index when End is 2147483647.
int chorusEnd(long long end, std::size_t bar_count);
Bar_line_type barLineTypeForFirstInLineBar(std::size_t i, const Bar_line_context& c);
Bar_line_type barLineTypeForMiddleOfLineBar(std::size_t i, const Bar_line_context& c);
Bar_line_type barLineTypeForLastInLineBar(std::size_t i, const Bar_line_context& c);

}  // namespace zub
