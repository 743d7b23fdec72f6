// The arithmetic of the chart view, without a display: the width each bar
// needs, the breaking of bars into lines, the frames of bars and slots,
// the slashes, the bar-line types, and where printed pages break. The chart
// view feeds it the measured widths of its slots and draws the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/layout/chord_font_metrics.h"
#include "editor/model/chorus.h"

namespace zub {

struct LayoutRect {
    float x = 0, y = 0, width = 0, height = 0;
    float right() const { return x + width; }
    float bottom() const { return y + height; }
    bool operator==(const LayoutRect&) const = default;
};

// What layout knows of one bar: the widths of its slots (one per slot)
// and its section mark (32 = none).
struct LayoutBar {
    std::vector<float> chordWidths;
    std::int64_t sectionMark = 32;
};

// One entry of a line: the bar's index in the chart and its minimal width.
struct LineEntry {
    std::size_t bar;
    float width;
    bool operator==(const LineEntry&) const = default;
};
using Line = std::vector<LineEntry>;

// Where one bar ended up.
struct BarPlacement {
    LayoutRect frame;
    bool firstInLine = false;
    bool lastInLine = false;
    std::vector<LayoutRect> chordFrames;  // relative to the bar's frame
};

struct ChartLayout {
    float width = 0, height = 0;
    float titleHeight = 0;
    std::size_t lineCount = 0;
    std::vector<BarPlacement> bars;
};

// The view sizes and title band that one full layout works in.
struct LayoutArea {
    float viewWidth = 0;
    float viewHeight = 0;
    float titleHeight = 15;  // 15 while the title is hidden
    bool showAnalysis = false;
};

// barMinWidth({w}, m) -> 1 x (max(w, chordMinLayoutWidth) + padding + spacing); an empty
// bar (no slots) needs no width.
float barMinWidth(const std::vector<float>& chordWidths, const ChordFontMetrics& metrics);

// partitionIntoLines({30, 30, 30}, 70) -> [[0, 1], [2]]; a bar wider than the
// width gets a line alone; no bars give one empty line.
std::vector<Line> partitionIntoLines(const std::vector<float>& minWidths, float width);

// chordFramesInBar(frame, widths, m, false): one frame per slot; a chord
// wider than its slot borrows from the next one.
std::vector<LayoutRect> chordFramesInBar(const LayoutRect& frame, const std::vector<float>& chordWidths,
                                         const ChordFontMetrics& metrics, bool showAnalysis);

// layoutChart(bars, m, area) -> every bar placed: lines stretched to the width
// between the insets except the last, the view at least as tall as its enclosure.
ChartLayout layoutChart(const std::vector<LayoutBar>& bars, const ChordFontMetrics& metrics,
                        const LayoutArea& area);

// One straight stroke of a slash, from (x1, y1) to (x2, y2).
struct Stroke {
    float x1, y1, x2, y2;
    bool operator==(const Stroke&) const = default;
};

// slashStrokes(frame, 4, m, false) -> four strokes rising to the right,
// centred in the notation row, one per beat.
std::vector<Stroke> slashStrokes(const LayoutRect& barFrame, std::size_t slots, const ChordFontMetrics& metrics,
                                 bool showAnalysis);

enum class BarLineType { single = 0, doubleLine = 1, repeatStart = 2, repeatEnd = 3 };

// The chart facts that choose bar lines: the section marks of the bars and the chorus.
class BarLineRules {
public:
    BarLineRules(std::vector<std::int64_t> sectionMarks, const Chorus& chorus);
    // chorusEnd() -> End - 1, or the number of bars - 1 for a chorus to the end.
    std::int64_t chorusEnd() const { return chorus_end_; }
    // barBeginsSection(i) -> false outside the chart, else whether bar i has a mark.
    bool barBeginsSection(std::int64_t index) const;
    BarLineType forFirstInLineBar(std::int64_t index) const;
    BarLineType forMiddleOfLineBar(std::int64_t index) const;
    BarLineType forLastInLineBar(std::int64_t index) const;

private:
    std::vector<std::int64_t> section_marks_;
    std::int64_t chorus_begin_;
    std::int64_t chorus_end_;
};

// adjustPageBottom(layout, 0, 700) -> the top of the first bar (in chart order)
// whose bottom lies below 700, or 700 when there is none, so pages break
// between lines of bars. A line taller than the page starting at top is cut
// at 700 instead, so printing always moves on.
float adjustPageBottom(const ChartLayout& layout, float top, float proposedBottom);

}  // namespace zub

namespace zub {

// One printed page: the band of the chart from top to bottom.
struct PageBand {
    float top, bottom;
    bool operator==(const PageBand&) const = default;
};

// pageBands(layout, 700) -> the pages of a chart printed on pages 700 tall,
// each ending where adjustPageBottom says; "Invalid page height: 0" unless positive.
std::vector<PageBand> pageBands(const ChartLayout& layout, float pageHeight);

}  // namespace zub
