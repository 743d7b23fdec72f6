#include "bridge/bridge_exception.h"
#include "editor/layout/chart_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/plist.h"

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
    EXPECT_THROW(
        {
            try {
                ChordFontMetrics(10, 20, testParameters("SlashWidthCharWidthRatio"));
            } catch (const std::exception& e) {
                EXPECT_STREQ(e.what(), "Missing key: ChordFontMetricSlashWidthCharWidthRatio");
                throw;
            }
        },
        std::exception);
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

TEST(PartitionIntoLines, BreaksBeforeOverflow) {
    struct Case { std::vector<float> widths; float width; std::vector<std::vector<std::size_t>> lines; };
    const Case cases[] = {
        {{}, 100, {{}}},
        {{30, 30, 30}, 100, {{0, 1, 2}}},
        {{30, 30, 30}, 90, {{0, 1, 2}}},  // exactly full still fits
        {{30, 30, 30}, 70, {{0, 1}, {2}}},
        {{150, 30}, 100, {{0}, {1}}},      // too wide alone: a line of its own
        {{30, 150, 30}, 100, {{0}, {1}, {2}}},
    };
    for (const Case& c : cases) {
        const auto lines = partitionIntoLines(c.widths, c.width);
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].size(), c.lines[i].size());
            for (std::size_t k = 0; k < lines[i].size(); ++k) {
                EXPECT_EQ(lines[i][k].bar, c.lines[i][k]);
                EXPECT_FLOAT_EQ(lines[i][k].width, c.widths[c.lines[i][k]]);
            }
        }
    }
}

TEST(ChordFramesInBar, WideChordBorrowsFromTheNext) {
    // Slot 50; need = width + 10.
    const LayoutRect bar{0, 0, 200, 56};
    const auto frames = chordFramesInBar(bar, {60, 4, 4, 4}, metrics, false);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], (LayoutRect{5, 0, 70 - 4, 24}));    // need 70 > 50
    EXPECT_EQ(frames[1], (LayoutRect{75, 0, 30 - 4, 24}));   // 2 x 50 - 70 left
    EXPECT_EQ(frames[2], (LayoutRect{105, 0, 50 - 4, 24}));
    EXPECT_EQ(frames[3], (LayoutRect{155, 0, 50 - 4, 24}));
    const auto analysed = chordFramesInBar(bar, {4}, metrics, true);
    EXPECT_FLOAT_EQ(analysed[0].y, 15);
}

std::vector<LayoutBar> bars(std::size_t count, std::vector<float> widths) {
    return std::vector<LayoutBar>(count, LayoutBar{std::move(widths), 32});
}

TEST(LayoutChart, StretchedLinesFillTheWidthAndTheLastKeepsItsWidths) {
    // Bars of one 30-wide slot need 30 + 10 = 40; width 260 - 60 = 200 holds 5 per line.
    const ChartLayout layout = layoutChart(bars(12, {30}), metrics, {260, 100, 15, false});
    EXPECT_EQ(layout.lineCount, 3u);
    for (std::size_t line = 0; line < 2; ++line) {
        const BarPlacement& first = layout.bars[line * 5];
        const BarPlacement& last = layout.bars[line * 5 + 4];
        EXPECT_TRUE(first.firstInLine);
        EXPECT_TRUE(last.lastInLine);
        EXPECT_FLOAT_EQ(first.frame.x, 30);
        EXPECT_FLOAT_EQ(last.frame.right(), 230);
        EXPECT_FLOAT_EQ(first.frame.y, 20 + 15 + line * 56.0f);
    }
    EXPECT_FLOAT_EQ(layout.bars[11].frame.right(), 30 + 2 * 40);
    EXPECT_TRUE(layout.bars[11].lastInLine);
    EXPECT_FALSE(layout.bars[10].lastInLine);
    EXPECT_FLOAT_EQ(layout.height, 3 * 56 + 15 + 40);
}

TEST(LayoutChart, WideBarShrinksToItsLineUnlessLast) {
    std::vector<LayoutBar> chart = bars(2, {4});
    chart[0].chordWidths = {400};  // needs 410, more than 200
    const ChartLayout layout = layoutChart(chart, metrics, {260, 0, 15, false});
    EXPECT_EQ(layout.lineCount, 2u);
    EXPECT_FLOAT_EQ(layout.bars[0].frame.width, 200);
    const ChartLayout alone = layoutChart({chart[0]}, metrics, {260, 0, 15, false});
    EXPECT_FLOAT_EQ(alone.bars[0].frame.width, 410);
}

TEST(LayoutChart, TitleAnalysisAndEnclosure) {
    const ChartLayout hidden = layoutChart(bars(3, {4}), metrics, {260, 0, 15, false});
    const ChartLayout shown = layoutChart(bars(3, {4}), metrics, {260, 0, 60, false});
    EXPECT_FLOAT_EQ(shown.bars[0].frame.y - hidden.bars[0].frame.y, 45);
    const ChartLayout analysed = layoutChart(bars(3, {4}), metrics, {260, 0, 15, true});
    EXPECT_FLOAT_EQ(analysed.bars[0].frame.height, 56 + 15);
    const ChartLayout tall = layoutChart(bars(3, {4}), metrics, {260, 900, 15, false});
    EXPECT_FLOAT_EQ(tall.height, 900);
    const ChartLayout empty = layoutChart({}, metrics, {260, 0, 15, false});
    EXPECT_EQ(empty.lineCount, 1u);
    EXPECT_TRUE(empty.bars.empty());
}

TEST(SlashStrokes, RisingAndCentredInTheNotationRow) {
    const auto strokes = slashStrokes({100, 50, 200, 56}, 4, metrics, false);
    ASSERT_EQ(strokes.size(), 4u);
    // y = 50 + 20 + 4 + 2 = 76; d = (20 - 12) / 2 = 4.
    EXPECT_EQ(strokes[0], (Stroke{110, 92, 116, 80}));
    EXPECT_EQ(strokes[3], (Stroke{260, 92, 266, 80}));
    EXPECT_FLOAT_EQ(slashStrokes({0, 0, 100, 56}, 1, metrics, true)[0].y2, 15 + 26 + 4);
    EXPECT_TRUE(slashStrokes({0, 0, 100, 56}, 0, metrics, false).empty());
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
        {7, T::single, T::single, T::single},
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

TEST(PageBands, BreakOnlyBetweenLines) {
    // Lines of 56 from y 35 (yInset 20 + title 15); 12 bars in 3 lines, height 3 x 56 + 15 + 40 = 223.
    const ChartLayout layout = layoutChart(bars(12, {30}), metrics, {260, 0, 15, false});
    EXPECT_FLOAT_EQ(adjustPageBottom(layout, 0, 100), 91);   // line 2 starts at 91
    EXPECT_FLOAT_EQ(adjustPageBottom(layout, 0, 1000), 1000);
    const auto pages = pageBands(layout, 100);
    const std::vector<PageBand> expected = {{0, 91}, {91, 147}, {147, 223}};
    EXPECT_EQ(pages, expected);
}

TEST(PageBands, LineTallerThanThePageIsCut) {
    const ChartLayout layout = layoutChart(bars(1, {4}), metrics, {260, 0, 15, false});
    const auto pages = pageBands(layout, 40);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_FLOAT_EQ(pages.back().bottom, layout.height);
    for (const PageBand& page : pages) EXPECT_GT(page.bottom, page.top);
}

TEST(PageBands, ErrorCases) {
    const ChartLayout layout = layoutChart(bars(1, {4}), metrics, {260, 0, 15, false});
    for (float height : {0.0f, -5.0f}) {
        try {
            pageBands(layout, height);
            ADD_FAILURE() << height;
        } catch (const Bridge_exception& e) {
            EXPECT_EQ(e.reason().rfind("Invalid page height: ", 0), 0u);
        }
    }
}

}  // namespace
}  // namespace zub
