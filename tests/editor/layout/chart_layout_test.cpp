#include "bridge/bridge_exception.h"
#include "editor/layout/chart_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/plist.h"
#include "../failure_testing.h"

namespace zub {
namespace {

// Round numbers so every expected length can be worked out by hand:
// charWidth 10, charHeight 20.
MyParameters testParameters(std::string_view without = {}) {
    const std::vector<std::pair<std::string, double>> values = {
        {"ChordOffsetCharWidthRatio", 0.5},       {"ChordMinWidthCharWidthRatio", 3},
        {"ChordMinLayoutWidthCharWidthRatio", 2}, {"ChordHorizontalPaddingValue", 2},
        {"ChordVerticalPaddingValue", 4},         {"ChordHorizontalSpacingCharWidthRatio", 0.8},
        {"NotationHeightCharHeightRatio", 1},     {"SlashOffsetCharWidthRatio", 1},
        {"SlashWidthCharWidthRatio", 0.6},        {"SlashHeightSlashWidthRatio", 2},
        {"RomanHeightCharHeightRatio", 0.5},      {"RomanChordSpacingCharHeightRatio", 0.25},
        {"ChordNotationSpacingNotationHeightRatio", 0.1}, {"NotationChordSpacingNotationHeightRatio", 0.5},
        {"XInsetCharWidthRatio", 3},              {"YInsetCharWidthRatio", 2},
        {"AnalysisArrowStartHorizontalAdjustmentCharWidthRatio", 0.4},
        {"AnalysisArrowStartVerticalAdjustmentCharHeightRatio", 0.3}};
    Plist::Dictionary table;
    for (const auto& [key, value] : values)
        if (key != without) table.emplace("ChordFontMetric" + key, Plist::make_real(value));
    return MyParameters::from_plist(Plist::make_dictionary(std::move(table)));
}

const ChordFontMetrics metrics(10, 20, testParameters());

TEST(ChordFontMetrics, DerivedLengths) {
    struct Case { const char* name; float got; float expected; };
    const Case cases[] = {
        {"chordOffset", metrics.chordOffset(), 5},
        {"chordMinWidth", metrics.chordMinWidth(), 30},
        {"chordMinLayoutWidth", metrics.chordMinLayoutWidth(), 20},
        {"chordHorizontalPadding", metrics.chordHorizontalPadding(), 2},
        {"chordVerticalPadding", metrics.chordVerticalPadding(), 4},
        {"chordHorizontalSpacing", metrics.chordHorizontalSpacing(), 8},
        {"notationHeight", metrics.notationHeight(), 20},
        {"slashOffset", metrics.slashOffset(), 10},
        {"slashWidth", metrics.slashWidth(), 6},
        {"slashHeight (of slashWidth)", metrics.slashHeight(), 12},
        {"romanHeight", metrics.romanHeight(), 10},
        {"romanChordSpacing", metrics.romanChordSpacing(), 5},
        {"analysisHeight", metrics.analysisHeight(), 15},
        {"chordNotationSpacing (of notationHeight)", metrics.chordNotationSpacing(), 2},
        {"notationChordSpacing (of notationHeight)", metrics.notationChordSpacing(), 10},
        {"xInset", metrics.xInset(), 30},
        {"yInset (of the width)", metrics.yInset(), 20},
        {"lineHeight", metrics.lineHeight(), 20 + 4 + 2 + 20 + 10},
        {"arrow start horizontal", metrics.analysisArrowStartHorizontalAdjustment(), 4},
        {"arrow start vertical", metrics.analysisArrowStartVerticalAdjustment(), 6},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(c.got, c.expected) << c.name;
}

TEST(ChordFontMetrics, ErrorCases) {
    EXPECT_EQ(testing::reasonOf([] { ChordFontMetrics(10, 20, testParameters("SlashWidthCharWidthRatio")); }),
              "Missing key: ChordFontMetricSlashWidthCharWidthRatio");
}

// Each slot costs padding 2 + spacing 8 beyond its base width.
TEST(BarMinWidth, PairRuleAndLowerBounds) {
    struct Case { std::vector<float> widths; float expected; };
    const Case cases[] = {
        {{}, 0},
        {{5}, 1 * (20 + 10)},              // below the layout minimum
        {{50}, 1 * (50 + 10)},
        {{10, 10}, 2 * (30 + 10)},         // both short: (30 + 30) / 2
        {{60, 10, 10, 10}, 4 * (45 + 10)}, // C7 lends to the empty slot: (60 + 30) / 2
        {{60, 40}, 2 * (60 + 10)},         // a long follower borrows nothing
        {{10, 70}, 2 * (70 + 10)},         // the last chord counts in full
        {{30, 30, 30}, 3 * (30 + 10)},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(barMinWidth(c.widths, metrics), c.expected) << c.widths.size();
}

TEST(ChordFramesInBar, WideChordBorrowsFromTheNext) {
    // Slot 50; need = width + 10.
    const LayoutRect bar{0, 0, 200, 56};
    const auto frames = chordFramesInBar(bar, {60, 4, 4, 4}, metrics, 0);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], (LayoutRect{5, 0, 70 - 4, 24}));    // need 70 > 50
    EXPECT_EQ(frames[1], (LayoutRect{75, 0, 30 - 4, 24}));   // 2 x 50 - 70 left
    EXPECT_EQ(frames[2], (LayoutRect{105, 0, 50 - 4, 24}));
    EXPECT_EQ(frames[3], (LayoutRect{155, 0, 50 - 4, 24}));
    const auto analysed = chordFramesInBar(bar, {4}, metrics, metrics.analysisHeight());
    EXPECT_FLOAT_EQ(analysed[0].y, 15);
}

std::vector<LayoutBar> bars(std::size_t count, std::vector<float> widths) {
    return std::vector<LayoutBar>(count, LayoutBar{std::move(widths), 32});
}

TEST(LayoutChart, FullLinesFillTheWidthAndShortLinesTakeTheirShare) {
    // Bars of one 30-wide slot need 40; four to a line; width 260 - 60 = 200.
    const ChartLayout layout = layoutChart(bars(10, {30}), metrics, {260, 100, 15, false});
    ASSERT_EQ(layout.lineCount, 3u);
    for (std::size_t line = 0; line < 2; ++line) {
        const BarPlacement& first = layout.bars[line * 4];
        const BarPlacement& last = layout.bars[line * 4 + 3];
        EXPECT_TRUE(first.firstInLine);
        EXPECT_TRUE(last.lastInLine);
        EXPECT_FLOAT_EQ(first.frame.x, 30);
        EXPECT_FLOAT_EQ(last.frame.right(), 230);
        EXPECT_FLOAT_EQ(first.frame.y, 20 + 15 + line * 56.0f);
    }
    EXPECT_FLOAT_EQ(layout.bars[9].frame.right(), 30 + 100);  // two bars: half the width
    EXPECT_TRUE(layout.bars[9].lastInLine);
    EXPECT_FLOAT_EQ(layout.height, 3 * 56 + 15 + 40);
}

TEST(LayoutChart, WideLinesWidenTheChartInsteadOfBreaking) {
    std::vector<LayoutBar> chart = bars(5, {4});
    chart[1].chordWidths = {400};  // needs 410, more than 200
    const ChartLayout layout = layoutChart(chart, metrics, {260, 0, 15, false});
    ASSERT_EQ(layout.lineCount, 2u);
    EXPECT_TRUE(layout.bars[3].lastInLine);
    // The line is as wide as its tight widths: 410, and 16 + 5 for each bar of a short chord.
    EXPECT_FLOAT_EQ(layout.bars[1].frame.width, 410);
    EXPECT_FLOAT_EQ(layout.bars[0].frame.width, 21);
    EXPECT_FLOAT_EQ(layout.width, 410 + 3 * 21 + 60);
    EXPECT_FLOAT_EQ(layout.bars[3].frame.right(), 30 + 410 + 3 * 21);
    // A view wide enough for the minimal widths gets them back.
    const ChartLayout roomy = layoutChart(chart, metrics, {560, 0, 15, false});
    EXPECT_FLOAT_EQ(roomy.bars[0].frame.width, 30);
    EXPECT_FLOAT_EQ(roomy.width, 560);
}

TEST(TightBarWidth, EachChordEndsBeforeTheNextBeatThatHoldsOne) {
    // Slots need 16 for a slash; a chord of w needs w + 10 across the slots it spans; offset 5.
    struct Case { std::vector<float> widths; std::vector<bool> held; float tight; };
    const Case cases[] = {
        {{60, 4, 4, 4}, {true, false, false, false}, 4 * 17.5f + 5},  // 70 over four slots
        {{60, 4, 30, 4}, {true, false, true, false}, 4 * 35.0f + 5},   // 70 over two
        {{4, 4, 4, 4}, {true, true, true, true}, 4 * 16.0f + 5},      // slashes decide
        {{60, 4}, {}, 2 * 70.0f + 5},                                 // no list: every slot holds one
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(tightBarWidth({c.widths, 32, {}, c.held}, metrics), c.tight);
}

TEST(LayoutChart, BarsKeepTheirProportionsInsideALine) {
    std::vector<LayoutBar> chart = bars(4, {4});
    chart[0].chordWidths = {30, 30, 30, 30};  // four slots need 4 x 40 = 160 beside 30 each
    const ChartLayout layout = layoutChart(chart, metrics, {460, 0, 15, false});
    EXPECT_FLOAT_EQ(layout.bars[0].frame.width, 400 * 160.0f / 250);
    EXPECT_FLOAT_EQ(layout.bars[1].frame.width, 400 * 30.0f / 250);
}

TEST(LayoutChart, TitleAnalysisBandsAndEnclosure) {
    const ChartLayout hidden = layoutChart(bars(3, {4}), metrics, {260, 0, 15, false});
    const ChartLayout shown = layoutChart(bars(3, {4}), metrics, {260, 0, 60, false});
    EXPECT_FLOAT_EQ(shown.bars[0].frame.y - hidden.bars[0].frame.y, 45);
    const ChartLayout analysed = layoutChart(bars(3, {4}), metrics, {260, 0, 15, true});
    EXPECT_FLOAT_EQ(analysed.bars[0].frame.height, 56 + 15);
    EXPECT_FLOAT_EQ(analysed.bars[0].chordsTop, 15);
    const ChartLayout labelled = layoutChart(bars(3, {4}), metrics, {260, 0, 15, false, 4, 12});
    EXPECT_FLOAT_EQ(labelled.bars[0].frame.height, 56 + 12);
    std::vector<LayoutBar> signs = bars(5, {4});
    signs[4].marks.segno = true;  // a new line? no: a segno alone starts none, but its line gets a band
    const ChartLayout banded = layoutChart(signs, metrics, {260, 0, 15, false});
    EXPECT_FLOAT_EQ(banded.bars[0].formBand, 0);
    EXPECT_FLOAT_EQ(banded.bars[4].formBand, 18);
    EXPECT_FLOAT_EQ(banded.bars[4].frame.height, 56 + 18);
    EXPECT_FLOAT_EQ(banded.bars[4].chordFrames[0].y, 18);
    const ChartLayout tall = layoutChart(bars(3, {4}), metrics, {260, 900, 15, false});
    EXPECT_FLOAT_EQ(tall.height, 900);
    const ChartLayout empty = layoutChart({}, metrics, {260, 0, 15, false});
    EXPECT_EQ(empty.lineCount, 1u);
    EXPECT_TRUE(empty.bars.empty());
}

TEST(SlashStrokes, RisingAndCentredInTheNotationRow) {
    const auto strokes = slashStrokes({100, 50, 200, 56}, 4, metrics, 0);
    ASSERT_EQ(strokes.size(), 4u);
    // y = 50 + 20 + 4 + 2 = 76; d = (20 - 12) / 2 = 4.
    EXPECT_EQ(strokes[0], (Stroke{110, 92, 116, 80}));
    EXPECT_EQ(strokes[3], (Stroke{260, 92, 266, 80}));
    EXPECT_FLOAT_EQ(slashStrokes({0, 0, 100, 56}, 1, metrics, 15)[0].y2, 15 + 26 + 4);
    EXPECT_TRUE(slashStrokes({0, 0, 100, 56}, 0, metrics, 0).empty());
}

TEST(BarLineRules, TypesAtChorusAndSections) {
    // Eight bars, sections at bars 0 and 4, chorus bars 2..5 (Begin 3, End 6).
    const BarLineRules rules({65, 32, 32, 32, 66, 32, 32, 32}, Chorus{3, 6, 1});
    using T = BarLineType;
    EXPECT_EQ(rules.chorusEnd(), 5);
    struct Case { std::int64_t bar; T first, middle, last; };
    const Case cases[] = {
        {0, T::doubleLine, T::doubleLine, T::single},
        {2, T::repeatStart, T::repeatStart, T::single},
        {3, T::single, T::single, T::doubleLine},   // the next bar begins a section
        {4, T::doubleLine, T::doubleLine, T::single},
        {5, T::single, T::single, T::repeatEnd},
        {6, T::single, T::repeatEnd, T::single},    // chorus end in mid-line: next bar's left line
        {7, T::single, T::single, T::final},       // the chart's last bar
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rules.forFirstInLineBar(c.bar), c.first) << c.bar;
        EXPECT_EQ(rules.forMiddleOfLineBar(c.bar), c.middle) << c.bar;
        EXPECT_EQ(rules.forLastInLineBar(c.bar), c.last) << c.bar;
    }
}

TEST(BarLineRules, WholeChartChorusAndOutOfRangeSections) {
    const BarLineRules rules({32, 32, 32}, Chorus{1, Chorus::to_the_end, 1});
    EXPECT_EQ(rules.chorusEnd(), 2);
    EXPECT_EQ(rules.forFirstInLineBar(0), BarLineType::repeatStart);
    EXPECT_EQ(rules.forLastInLineBar(2), BarLineType::repeatEnd);
    for (std::int64_t i : {-1, 3, 1000}) EXPECT_FALSE(rules.barBeginsSection(i)) << i;
}

TEST(BarLineRules, RepeatsOfTheForm) {
    std::vector<BarMarks> marks(6);
    marks[1].repeatStart = true;
    marks[2].repeatEnd = 2;
    marks[3].repeatStart = true;
    marks[4].repeatEnd = 3;
    // The chorus (bars 1..6, once) draws its own signs at the chart's ends.
    const BarLineRules rules(std::vector<std::int64_t>(6, 32), Chorus{1, Chorus::to_the_end, 1}, marks);
    using T = BarLineType;
    struct Case { std::int64_t bar; T first, middle, last; };
    const Case cases[] = {
        {1, T::repeatStart, T::repeatStart, T::single},
        {2, T::single, T::single, T::repeatEnd},
        {3, T::repeatStart, T::repeatEndStart, T::single},  // bar 2 ends a repeat, bar 3 starts one
        {4, T::single, T::single, T::repeatEnd},
        {5, T::single, T::repeatEnd, T::repeatEnd},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rules.forFirstInLineBar(c.bar), c.first) << c.bar;
        EXPECT_EQ(rules.forMiddleOfLineBar(c.bar), c.middle) << c.bar;
        EXPECT_EQ(rules.forLastInLineBar(c.bar), c.last) << c.bar;
    }
}

TEST(PageBands, BreakOnlyBetweenLines) {
    // Lines of 56 from y 35 (yInset 20 + title 15); 12 bars in 3 lines, height 3 x 56 + 15 + 40 = 223.
    const ChartLayout layout = layoutChart(bars(12, {30}), metrics, {260, 0, 15, false});
    EXPECT_FLOAT_EQ(adjustPageBottom(layout, 0, 100), 91);   // line 2 starts at 91
    EXPECT_FLOAT_EQ(adjustPageBottom(layout, 0, 1000), 1000);
}

}  // namespace
}  // namespace zub
