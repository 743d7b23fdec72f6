// Where the user is in a chart, without a display: the bar selection (an
// insertion point or a block of bars) with its goal column for up and down
// and its anchor for Shift extension, the moves of the chord-editing mode
// from slot to slot, and the geometry both need from a ChartLayout.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "editor/layout/chart_layout.h"
#include "editor/model/bar_operations.h"

namespace zub {

struct LayoutPoint {
    float x = 0, y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

// The insertion line: its top point and height.
struct InsertionLine {
    float x = 0, y = 0, height = 0;
};

// insertionPointIndexFromPoint(layout, p) -> i for the left half of bar i, i + 1 for its
// right half; outside every bar, 0 when p is nearer the first bar's top, else n.
std::size_t insertionPointIndexFromPoint(const ChartLayout& layout, LayoutPoint p);
// insertionPointLine(layout, 2) -> the left edge of bar 2; index n -> the right edge of the last bar.
InsertionLine insertionPointLine(const ChartLayout& layout, std::size_t index);
// barBelowY(layout, y, goal) -> the bar of the next line under the goal column, if any.
std::optional<std::size_t> barBelowY(const ChartLayout& layout, float y, float goal);
// barAboveY(layout, y, goal) -> the bar of the previous line under the goal column, if any.
std::optional<std::size_t> barAboveY(const ChartLayout& layout, float y, float goal);
// nearestSlotInBar(layout, 3, goal) -> the slot of bar 3 whose centre is nearest the goal.
std::size_t nearestSlotInBar(const ChartLayout& layout, std::size_t bar, float goal);
// slotCentre(layout, {3, 1}) -> the x of that slot's centre in chart coordinates.
float slotCentre(const ChartLayout& layout, SlotRef slot);
// slotAtPoint(layout, p) -> the slot containing p, if any.
std::optional<SlotRef> slotAtPoint(const ChartLayout& layout, LayoutPoint p);
// focusRing(layout, {s, l}, offset) -> the closed outline around bars s .. s + l - 1,
// shaped like a text selection when it spans lines; empty for an insertion point.
std::vector<LayoutPoint> focusRing(const ChartLayout& layout, BarRange selection, float offset);

// Where a chord-mode move goes: to a slot, past the end (append a blank bar and
// go to its first slot), or nowhere (beep).
struct ChordMove {
    enum class Kind { go, append, beep };
    Kind kind = Kind::beep;
    SlotRef to;
    bool operator==(const ChordMove&) const = default;
};

// The number of slots of each bar decides every move but up and down.
using SlotCounts = std::vector<std::size_t>;
ChordMove chordMoveRight(const SlotCounts& counts, SlotRef from);
ChordMove chordMoveLeft(const SlotCounts& counts, SlotRef from);
// Word moves stop at the even counts (the half bars of a four-beat bar).
ChordMove chordMoveWordRight(const SlotCounts& counts, SlotRef from);
ChordMove chordMoveWordLeft(const SlotCounts& counts, SlotRef from);
ChordMove chordMoveToEndOfLine(const SlotCounts& counts, SlotRef from);
ChordMove chordMoveToBeginningOfLine(const SlotCounts& counts, SlotRef from);
ChordMove chordMoveDown(const ChartLayout& layout, SlotRef from, float goal);
ChordMove chordMoveUp(const ChartLayout& layout, SlotRef from, float goal);

// The bar selection with its goal column and extension anchor. Every move
// returns false when it cannot go further (the caller beeps) and then changes nothing.
class BarSelection {
public:
    const BarRange& range() const { return range_; }
    float goalColumn() const { return goal_; }
    std::size_t anchor() const { return anchor_; }
    void setGoalColumn(float goal) { goal_ = goal; }

    // set(range, layout): the goal column follows the new insertion location and the
    // anchor its location, unless the move that caused it keeps them.
    void set(BarRange range, const ChartLayout& layout);

    bool moveRight(bool shift, const ChartLayout& layout);
    bool moveLeft(bool shift, const ChartLayout& layout);
    bool moveDown(bool shift, const ChartLayout& layout);
    bool moveUp(bool shift, const ChartLayout& layout);
    // extendTo(j, layout): the range between the anchor and j.
    void extendTo(std::size_t j, const ChartLayout& layout);

private:
    void setKeepingAnchor(std::size_t anchor, BarRange range, const ChartLayout& layout);

    BarRange range_;
    float goal_ = 0;
    std::size_t anchor_ = 0;
    bool navigating_vertically_ = false;
    bool extending_selection_ = false;
};

}  // namespace zub
