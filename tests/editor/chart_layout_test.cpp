#include "editor/chart_layout.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace zub {
namespace {

// Round numbers: character 10 x 20 points.
ChordFontMetrics metrics() {
    Parameters p;
    for (const char* key : {"ChordFontMetricChordOffsetCharWidthRatio", "ChordFontMetricSlashOffsetCharWidthRatio",
                            "ChordFontMetricSlashWidthCharWidthRatio", "ChordFontMetricSlashHeightSlashWidthRatio",
                            "ChordFontMetricRomanHeightCharHeightRatio", "ChordFontMetricRomanChordSpacingCharHeightRatio",
                            "ChordFontMetricNotationHeightCharHeightRatio",
                            "ChordFontMetricChordNotationSpacingNotationHeightRatio",
                            "ChordFontMetricNotationChordSpacingNotationHeightRatio",
                            "ChordFontMetricAnalysisArrowStartHorizontalAdjustmentCharWidthRatio",
                            "ChordFontMetricAnalysisArrowStartVerticalAdjustmentCharHeightRatio"})
        p[key] = 1.0;
    p["ChordFontMetricChordMinWidthCharWidthRatio"] = 3.0;        // 30
    p["ChordFontMetricChordMinLayoutWidthCharWidthRatio"] = 2.0;  // 20
    p["ChordFontMetricChordHorizontalPaddingValue"] = 4.0;
    p["ChordFontMetricChordVerticalPaddingValue"] = 2.0;
    p["ChordFontMetricChordHorizontalSpacingCharWidthRatio"] = 0.6;  // 6
    p["ChordFontMetricXInsetCharWidthRatio"] = 5.0;                  // 50
    p["ChordFontMetricYInsetCharWidthRatio"] = 2.0;                  // 20
    return ChordFontMetrics::make(10, 20, p);
}

TEST(ChordFontMetrics, DerivedSizes) {
    const ChordFontMetrics m = metrics();
    EXPECT_FLOAT_EQ(m.chordMinWidth, 30);
    EXPECT_FLOAT_EQ(m.notationHeight, 20);
    EXPECT_FLOAT_EQ(m.slashHeight, 10);
    EXPECT_FLOAT_EQ(m.analysisHeight, 40);
    EXPECT_FLOAT_EQ(m.yInset, 20);  // from the width, not the height
    EXPECT_FLOAT_EQ(m.lineHeight, 20 + 2 + 20 + 20 + 20);
    EXPECT_THROW(ChordFontMetrics::make(10, 20, {}), Failure);
}

TEST(ChartLayout, BarWidths) {
    const ChordFontMetrics m = metrics();
    // One slot: at least the minimal layout width; each slot adds padding and spacing.
    EXPECT_FLOAT_EQ(barMinWidth({5}, m), 20 + 10);
    EXPECT_FLOAT_EQ(barMinWidth({50}, m), 50 + 10);
    // A wide C7 followed by empty slots lends them space: the pair needs only the average.
    EXPECT_FLOAT_EQ(barMinWidth({70, 4, 4, 4}, m), 4 * ((70 + 30) / 2.0f + 10));
    EXPECT_FLOAT_EQ(barMinWidth({40, 40}, m), 2 * (40 + 10));
}

TEST(ChartLayout, BreaksBarsIntoLines) {
    auto bars_of = [](const std::vector<Line>& lines) {
        std::vector<std::vector<std::size_t>> out;
        for (const auto& line : lines) {
            out.emplace_back();
            for (const auto& entry : line) out.back().push_back(entry.bar);
        }
        return out;
    };
    using Bars = std::vector<std::vector<std::size_t>>;
    EXPECT_EQ(bars_of(partitionIntoLinesOfWidth({}, 100)), Bars{{}});
    EXPECT_EQ(bars_of(partitionIntoLinesOfWidth({40, 40, 40, 40, 40}, 100)), (Bars{{0, 1}, {2, 3}, {4}}));
    EXPECT_EQ(bars_of(partitionIntoLinesOfWidth({40, 150, 40}, 100)), (Bars{{0}, {1}, {2}}));
}

TEST(ChartLayout, StretchesEveryLineButTheLast) {
    const ChordFontMetrics m = metrics();
    Layout_request request;
    request.chord_widths.assign(5, {50});  // each bar 60 wide
    request.view_width = 100 + 2 * 50;     // 100 between the insets
    request.view_height = 50;
    const Chart_layout layout = layoutChart(request, m);
    ASSERT_EQ(layout.bars.size(), 5u);
    // Two bars need 120: every line holds one, stretched to 100 but the last.
    EXPECT_EQ(layout.bars[0].frame, (Rect{50, 20 + 15, 100, m.lineHeight}));
    EXPECT_TRUE(layout.bars[0].firstInLine && layout.bars[0].lastInLine);
    EXPECT_FLOAT_EQ(layout.bars[4].frame.width, 60);  // the last line keeps natural widths
    EXPECT_FLOAT_EQ(layout.height, 5 * m.lineHeight + 15 + 2 * 20);

    request.chord_widths.assign(1, {50});
    request.view_height = 1000;
    EXPECT_FLOAT_EQ(layoutChart(request, m).height, 1000);  // never shorter than its enclosing view
    request.title_height = 40;
    EXPECT_FLOAT_EQ(layoutChart(request, m).bars[0].frame.y, 20 + 40);
}

TEST(ChartLayout, ChordFramesBorrowFromTheNextSlot) {
    const ChordFontMetrics m = metrics();
    // Slots of 40; the first chord needs 70 + 10 = 80, the second gets what is left.
    const auto frames = chordFrames(160, {70, 4, 4, 4}, m, false);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], (Rect{10, 0, 80 - 2, 22}));
    EXPECT_FLOAT_EQ(frames[1].x, 90);
    EXPECT_FLOAT_EQ(frames[2].x, 90 + 14);  // the second took only its need from the shrunk slot
    EXPECT_FLOAT_EQ(chordFrames(160, {4}, m, true)[0].y, m.analysisHeight);
}

TEST(ChartLayout, BarLineTypes) {
    Bar_line_context c;
    c.begins_section = {true, false, false, false, true, false};
    c.chorus_begin = 1;
    c.chorus_end = chorusEnd(2147483647, 6);
    EXPECT_EQ(c.chorus_end, 5);
    EXPECT_EQ(chorusEnd(3, 6), 2);
    EXPECT_EQ(barLineTypeForFirstInLineBar(0, c), Bar_line_type::repeat_start);
    EXPECT_EQ(barLineTypeForLastInLineBar(5, c), Bar_line_type::repeat_end);
    EXPECT_EQ(barLineTypeForMiddleOfLineBar(4, c), Bar_line_type::double_line);
    EXPECT_EQ(barLineTypeForLastInLineBar(3, c), Bar_line_type::double_line);  // bar 4 begins a section
    EXPECT_EQ(barLineTypeForMiddleOfLineBar(2, c), Bar_line_type::single);
    // A chorus ending in the middle of a line shows on the next bar's left line.
    c.chorus_end = 2;
    EXPECT_EQ(barLineTypeForMiddleOfLineBar(3, c), Bar_line_type::repeat_end);
    EXPECT_EQ(barLineTypeForFirstInLineBar(3, c), Bar_line_type::single);
}

}  // namespace
}  // namespace zub
