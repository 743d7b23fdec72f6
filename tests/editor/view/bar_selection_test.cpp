#include <gtest/gtest.h>

#include <cctype>

#include "editor/view/bar_selection.h"

namespace zub {
namespace {

// Seven bars of four slots, three to a line, each 100 wide and 50 tall:
// bars 0-2 on the first line, 3-5 on the second, 6 alone on the last.
ChartLayout sevenBars() {
    ChartLayout layout;
    for (std::size_t i = 0; i < 7; ++i) {
        BarPlacement bar;
        const auto column = static_cast<float>(i % 3);
        const auto line = static_cast<float>(i / 3);
        bar.frame = {10 + 100 * column, 50 * line, 100, 50};
        bar.firstInLine = i % 3 == 0;
        bar.lastInLine = i % 3 == 2 || i == 6;
        for (int k = 0; k < 4; ++k) bar.chordFrames.push_back({25.0f * static_cast<float>(k), 0, 25, 20});
        layout.bars.push_back(bar);
    }
    return layout;
}

const SlotCounts fours(3, 4);

TEST(BarSelection, InsertionIndexFromPoint) {
    const ChartLayout layout = sevenBars();
    const std::pair<LayoutPoint, std::size_t> cases[] = {
        {{20, 10}, 0}, {{80, 10}, 1}, {{150, 60}, 4}, {{300, 60}, 6}, {{5, -30}, 0}, {{400, 140}, 7}, {{400, 40}, 0},
    };
    for (const auto& [p, index] : cases) EXPECT_EQ(insertionPointIndexFromPoint(layout, p), index) << p.x << "," << p.y;
}

TEST(BarSelection, InsertionLine) {
    const ChartLayout layout = sevenBars();
    EXPECT_EQ(insertionPointLine(layout, 4).x, 110);
    EXPECT_EQ(insertionPointLine(layout, 4).y, 50);
    EXPECT_EQ(insertionPointLine(layout, 7).x, 110);  // the right edge of the last bar
    EXPECT_EQ(insertionPointLine(layout, 7).y, 100);
}

TEST(BarSelection, BarsBelowAndAbove) {
    const ChartLayout layout = sevenBars();
    EXPECT_EQ(barBelowY(layout, 0, 150), 4u);
    EXPECT_EQ(barBelowY(layout, 0, 900), 5u);  // stops at the line's last bar
    EXPECT_EQ(barBelowY(layout, 50, 250), 6u);
    EXPECT_EQ(barBelowY(layout, 100, 50), std::nullopt);
    EXPECT_EQ(barAboveY(layout, 100, 150), 4u);
    EXPECT_EQ(barAboveY(layout, 50, 0), 0u);  // stops at the line's first bar
    EXPECT_EQ(barAboveY(layout, 0, 50), std::nullopt);
}

TEST(BarSelection, ChordModeMoves) {
    using K = ChordMove::Kind;
    struct Case {
        const char* what;
        ChordMove (*move)(const SlotCounts&, SlotRef);
        SlotRef from;
        ChordMove to;
    };
    const Case cases[] = {
        {"right", chordMoveRight, {0, 1}, {K::go, {0, 2}}},
        {"right to next bar", chordMoveRight, {0, 3}, {K::go, {1, 0}}},
        {"right past the end", chordMoveRight, {2, 3}, {K::append, {3, 0}}},
        {"left", chordMoveLeft, {1, 2}, {K::go, {1, 1}}},
        {"left to previous bar", chordMoveLeft, {1, 0}, {K::go, {0, 3}}},
        {"left at start", chordMoveLeft, {0, 0}, {}},
        {"word right", chordMoveWordRight, {0, 0}, {K::go, {0, 2}}},
        {"word right odd", chordMoveWordRight, {0, 1}, {K::go, {0, 2}}},
        {"word right to next bar", chordMoveWordRight, {0, 2}, {K::go, {1, 0}}},
        {"word right past the end", chordMoveWordRight, {2, 3}, {K::append, {3, 0}}},
        {"word left", chordMoveWordLeft, {1, 3}, {K::go, {1, 2}}},
        {"word left even", chordMoveWordLeft, {1, 2}, {K::go, {1, 0}}},
        {"word left to previous bar", chordMoveWordLeft, {1, 0}, {K::go, {0, 2}}},
        {"word left at start", chordMoveWordLeft, {0, 0}, {}},
        {"end of line", chordMoveToEndOfLine, {0, 2}, {K::go, {1, 0}}},
        {"end of line at the end", chordMoveToEndOfLine, {2, 0}, {K::append, {3, 0}}},
        {"beginning of line", chordMoveToBeginningOfLine, {1, 3}, {K::go, {1, 0}}},
        {"beginning of line at slot 0", chordMoveToBeginningOfLine, {1, 0}, {K::go, {0, 0}}},
        {"beginning of line at start", chordMoveToBeginningOfLine, {0, 0}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.move(fours, c.from), c.to) << c.what;
}

TEST(BarSelection, ChordModeUpAndDownKeepTheColumn) {
    const ChartLayout layout = sevenBars();
    // Slot 2 of bar 1 has its centre at 110 + 50 + 12.5.
    const float goal = slotCentre(layout, {1, 2});
    EXPECT_EQ(goal, 172.5f);
    EXPECT_EQ(chordMoveDown(layout, {1, 2}, goal), (ChordMove{ChordMove::Kind::go, {4, 2}}));
    EXPECT_EQ(chordMoveUp(layout, {4, 2}, goal), (ChordMove{ChordMove::Kind::go, {1, 2}}));
    EXPECT_EQ(chordMoveDown(layout, {6, 0}, goal).kind, ChordMove::Kind::beep);
    EXPECT_EQ(chordMoveUp(layout, {0, 0}, goal).kind, ChordMove::Kind::beep);
    EXPECT_EQ(slotAtPoint(layout, {140, 60}), (SlotRef{4, 1}));
    EXPECT_EQ(slotAtPoint(layout, {140, 90}), std::nullopt);  // the slash row
}

// Arrow keys from a placed selection: "L", "R", "U", "D" move the insertion point,
// lower case is with Shift (extend from the anchor, or shrink back towards it).
TEST(BarSelection, ArrowsMoveExtendAndShrink) {
    const ChartLayout layout = sevenBars();
    const struct {
        BarRange start;
        const char* keys;
        std::vector<BarRange> after;  // after each key; unchanged where the key is refused
    } cases[] = {
        {{0, 0}, "LRDDUU", {{0, 0}, {1, 0}, {4, 0}, {7, 0}, {4, 0}, {1, 0}}},  // {7, 0}: the column lies beyond
        {{7, 0}, "R", {{7, 0}}},
        {{1, 0}, "U", {{1, 0}}},
        {{2, 0}, "rrll", {{2, 1}, {2, 2}, {2, 1}, {2, 0}}},
        {{3, 0}, "llr", {{2, 1}, {1, 2}, {2, 1}}},  // grew leftwards: shrinks from the left
        {{1, 0}, "dd", {{1, 3}, {1, 6}}},
        {{4, 0}, "u", {{1, 3}}},
        {{6, 1}, "r", {{6, 1}}},  // at the end
    };
    for (const auto& c : cases) {
        BarSelection s;
        s.set(c.start, layout);
        for (std::size_t k = 0; c.keys[k]; ++k) {
            const BarRange before = s.range();
            const bool extend = std::islower(static_cast<unsigned char>(c.keys[k]));
            bool moved = false;
            switch (std::toupper(static_cast<unsigned char>(c.keys[k]))) {
                case 'L': moved = s.moveLeft(extend, layout); break;
                case 'R': moved = s.moveRight(extend, layout); break;
                case 'U': moved = s.moveUp(extend, layout); break;
                default: moved = s.moveDown(extend, layout); break;
            }
            EXPECT_EQ(s.range(), c.after.at(k)) << c.keys << " key " << k;
            EXPECT_EQ(moved, s.range() != before) << c.keys << " key " << k;
        }
    }
}

TEST(BarSelection, FocusRingOnOneLineAndAcrossLines) {
    const ChartLayout layout = sevenBars();
    EXPECT_TRUE(focusRing(layout, {1, 0}, 2).empty());
    const std::vector<LayoutPoint> one = {{110, 50}, {110, 0}, {310, 0}, {310, 50}};
    EXPECT_EQ(focusRing(layout, {1, 2}, 2), one);
    // From bar 1 to bar 4: the outline of a text selection over two lines.
    const std::vector<LayoutPoint> two = {{10, 50},  {10, 48},  {110, 48},  {110, 0},  {310, 0},  {310, 50},
                                          {310, 52}, {210, 52}, {210, 100}, {10, 100}, {10, 50}};
    EXPECT_EQ(focusRing(layout, {1, 4}, 2), two);
    EXPECT_TRUE(focusRing(layout, {6, 3}, 2).empty());  // beyond the chart
}

}  // namespace
}  // namespace zub
