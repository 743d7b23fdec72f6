#include "editor/layout/page_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace zub {
namespace {

// A page 500 wide and 700 high with a header of 60 and a footer of 20.
const PageGeometry page{500, 700, 60, 20};

TEST(PrintScale, FillsTheWidthUpToAReadableMaximum) {
    struct Case { float natural, height, points; bool fit; float scale; bool onePage; };
    const Case cases[] = {
        {250, 300, 10, false, 1.8f, true},     // room for 2x, but chords stop at 18 points
        {400, 300, 10, false, 1.25f, true},    // the lines fill the width
        {400, 1000, 10, false, 1.25f, false},  // two pages at 12.5 points rather than 6.4
        {400, 640, 14, false, 1.0f, true},     // one page at 14 points: shrunk from 1.25
        {400, 800, 10, false, 1.25f, false},
        {400, 800, 10, true, 0.8f, true},      // Fit to One Page goes down to 7 points
        {400, 1000, 10, true, 1.25f, false},   // but not below
    };
    for (const Case& c : cases) {
        const PrintScale s = printScale(c.natural, c.height, c.points, page, c.fit);
        EXPECT_FLOAT_EQ(s.scale, c.scale) << c.natural << " " << c.height;
        EXPECT_EQ(s.onePage, c.onePage) << c.natural << " " << c.height;
    }
    EXPECT_TRUE(fitsOnOnePage(800, 10, page));
    EXPECT_FALSE(fitsOnOnePage(1000, 10, page));
}

// Lines of 100 from y 20, ten of them: the chart is 1040 high.
ChartLayout tenLines() {
    ChartLayout layout;
    layout.height = 1040;
    for (int i = 0; i < 10; ++i) {
        BarPlacement bar;
        bar.frame = {30, 20 + 100.0f * static_cast<float>(i), 400, 100};
        layout.bars.push_back(bar);
    }
    return layout;
}

TEST(PrintedPages, BreakBetweenLinesBelowTheHeaderAndAboveTheNumber) {
    // First page: 700 - 60 - 20 = 620 holds six lines (the sixth ends at 620); then 680 each.
    const std::vector<PageBand> expected = {{0, 620}, {620, 1040}};
    EXPECT_EQ(printedPages(tenLines(), 1, page), expected);
    // At half size the whole chart fits the first page, which needs no number.
    EXPECT_EQ(printedPages(tenLines(), 0.5f, page), (std::vector<PageBand>{{0, 1040}}));
    // A line taller than a page is cut, so printing moves on.
    ChartLayout tall;
    tall.height = 3000;
    tall.bars.push_back({{30, 20, 400, 2960}, true, true, 0, 0, {}});
    const auto pages = printedPages(tall, 1, page);
    ASSERT_GE(pages.size(), 4u);
    for (const PageBand& band : pages) EXPECT_GT(band.bottom, band.top);
    EXPECT_FLOAT_EQ(pages.back().bottom, 3000);
}

}  // namespace
}  // namespace zub
