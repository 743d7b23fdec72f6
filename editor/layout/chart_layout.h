// The arithmetic of the chart view, without a display: the width each bar
// needs, the lines (broken by the form, form_lines.h), the frames of bars and
// slots, the slashes, the bar-line types, and where printed pages break. The
// chart view and the printer feed it the measured widths of the slots and draw
// the result. Each line is as wide as the widest line needs or the view
// allows: the lines stretch with the window and never reflow; a line of fewer
// bars than the chart's bars per line takes its share of the width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bridge/bar_marks.h"
#include "editor/layout/chord_font_metrics.h"
#include "editor/layout/form_lines.h"
#include "editor/model/chorus.h"

namespace zub {

struct LayoutRect {
    float x = 0, y = 0, width = 0, height = 0;
    float right() const { return x + width; }
    float bottom() const { return y + height; }
    bool operator==(const LayoutRect&) const = default;
};

// What layout knows of one bar: the widths of its slots (one per slot),
// its section mark (32 = none), its form marks, and which slots hold a chord
// (empty: every slot does).
struct LayoutBar {
    std::vector<float> chordWidths;
    std::int64_t sectionMark = 32;
    BarMarks marks{};
    std::vector<bool> held{};
};

// Where one bar ended up. The chords start chordsTop below the frame's top,
// under the band of form signs (formBand high) and the analysis band of its line.
struct BarPlacement {
    LayoutRect frame;
    bool firstInLine = false;
    bool lastInLine = false;
    float formBand = 0;
    float chordsTop = 0;
    std::vector<LayoutRect> chordFrames;  // relative to the bar's frame
};

// One line: its bars, its rectangle (the width its bars take) and the height
// of its band of form signs (0 when none of its bars has any).
struct LaidLine {
    LineSpan bars;
    LayoutRect rect;
    float formBand = 0;
};

struct ChartLayout {
    float width = 0, height = 0;
    float titleHeight = 0;
    std::size_t lineCount = 0;
    std::vector<BarPlacement> bars;
    std::vector<LaidLine> lines;
};

// The view sizes and title band that one full layout works in, the most bars
// a line holds, and the height of the key labels' row under the slashes (0 without labels).
struct LayoutArea {
    float viewWidth = 0;
    float viewHeight = 0;
    float titleHeight = 15;  // 15 while the title is hidden
    bool showAnalysis = false;
    int barsPerLine = default_bars_per_line;
    float keyRowHeight = 0;
};

// formBandHeight(m): the band over the chords of a line with form signs, 0.9 x charHeight.
float formBandHeight(const ChordFontMetrics& metrics);

// barMinWidth({w}, m) -> 1 x (max(w, chordMinLayoutWidth) + padding + spacing); an empty
// bar (no slots) needs no width.
float barMinWidth(const std::vector<float>& chordWidths, const ChordFontMetrics& metrics);

// tightBarWidth(bar, m) -> the least width at which each chord still ends before
// the next one's beat (the last one before the bar's end) and each beat keeps room
// for its slash: every slot as wide as the most any chord needs per slot it spans.
// A line narrower than its minimal widths squeezes its bars towards these.
float tightBarWidth(const LayoutBar& bar, const ChordFontMetrics& metrics);

// chordFramesInBar(frame, widths, m, 0): one frame per slot, chordsTop below the
// frame's top; a chord wider than its slot borrows from the next one.
std::vector<LayoutRect> chordFramesInBar(const LayoutRect& frame, const std::vector<float>& chordWidths,
                                         const ChordFontMetrics& metrics, float chordsTop);

// layoutChart(bars, m, area) -> every bar placed in the lines of the form: full
// lines as wide as the view between the insets, or as the widest line needs at
// its tight widths (the chart is then wider than the view); a line of n bars short
// of the bars per line takes n shares of it, or what its bars need; inside a line
// the bars keep the proportions of their minimal widths, squeezed towards their
// tight widths when the line is narrower. The chart is at least as tall as its enclosure.
ChartLayout layoutChart(const std::vector<LayoutBar>& bars, const ChordFontMetrics& metrics,
                        const LayoutArea& area);

// One straight stroke of a slash, from (x1, y1) to (x2, y2).
struct Stroke {
    float x1, y1, x2, y2;
    bool operator==(const Stroke&) const = default;
};

// slashStrokes(frame, 4, m, 0) -> four strokes rising to the right,
// centred in the notation row (chordsTop lower for a band above), one per beat.
std::vector<Stroke> slashStrokes(const LayoutRect& barFrame, std::size_t slots, const ChordFontMetrics& metrics,
                                 float chordsTop);

// notationTop(placed, m) -> the y of the top of the bar's slash row, where bar lines start.
float notationTop(const BarPlacement& placed, const ChordFontMetrics& metrics);

enum class BarLineType { single = 0, doubleLine = 1, repeatStart = 2, repeatEnd = 3, repeatEndStart = 4, final = 5 };

// The chart facts that choose bar lines: the section marks of the bars, the
// chorus, and the repeat signs of the form. A repeat end meeting a repeat start
// inside a line makes one bar line of both; the chart ends with a final bar line.
class BarLineRules {
public:
    BarLineRules(std::vector<std::int64_t> sectionMarks, const Chorus& chorus, std::vector<BarMarks> marks = {});
    // chorusEnd() -> End - 1, or the number of bars - 1 for a chorus to the end.
    std::int64_t chorusEnd() const { return chorus_end_; }
    // barBeginsSection(i) -> false outside the chart, else whether bar i has a mark.
    bool barBeginsSection(std::int64_t index) const;
    BarLineType forFirstInLineBar(std::int64_t index) const;
    BarLineType forMiddleOfLineBar(std::int64_t index) const;
    BarLineType forLastInLineBar(std::int64_t index) const;

private:
    bool startsRepeat(std::int64_t index) const;
    bool endsRepeat(std::int64_t index) const;
    std::vector<std::int64_t> section_marks_;
    std::vector<BarMarks> marks_;
    std::int64_t chorus_begin_;
    std::int64_t chorus_end_;
};

// adjustPageBottom(layout, 0, 700) -> the top of the first bar (in chart order)
// whose bottom lies below 700, or 700 when there is none, so pages break
// between lines of bars. A line taller than the page starting at top is cut
// at 700 instead, so printing always moves on.
float adjustPageBottom(const ChartLayout& layout, float top, float proposedBottom);

// One printed page: the band of the chart from top to bottom.
struct PageBand {
    float top, bottom;
    bool operator==(const PageBand&) const = default;
};

}  // namespace zub
