#include "editor/view/bar_selection.h"

#include <cmath>

namespace zub {

namespace {

bool contains(const LayoutRect& r, LayoutPoint p) {
    return p.x >= r.x && p.x < r.right() && p.y >= r.y && p.y < r.bottom();
}

const LayoutRect& frameOf(const ChartLayout& layout, std::size_t bar) { return layout.bars[bar].frame; }

}  // namespace

std::size_t insertionPointIndexFromPoint(const ChartLayout& layout, LayoutPoint p) {
    const std::size_t n = layout.bars.size();
    for (std::size_t i = 0; i < n; ++i) {
        const LayoutRect& f = frameOf(layout, i);
        if (contains(f, p)) return p.x < f.x + f.width / 2 ? i : i + 1;
    }
    if (n == 0) return 0;
    const float up = p.y - frameOf(layout, 0).y;
    const float down = frameOf(layout, n - 1).bottom() - p.y;
    return down > up ? 0 : n;
}

InsertionLine insertionPointLine(const ChartLayout& layout, std::size_t index) {
    const std::size_t n = layout.bars.size();
    if (n == 0) return {};
    if (index < n) {
        const LayoutRect& f = frameOf(layout, index);
        return {f.x, f.y, f.height};
    }
    const LayoutRect& f = frameOf(layout, n - 1);
    return {f.right(), f.y, f.height};
}

std::optional<std::size_t> barBelowY(const ChartLayout& layout, float y, float goal) {
    const std::size_t n = layout.bars.size();
    std::size_t i = 0;
    while (i < n && !(frameOf(layout, i).y > y)) ++i;
    if (i == n) return std::nullopt;
    while (!layout.bars[i].lastInLine && goal > frameOf(layout, i).right() && i + 1 < n) ++i;
    return i;
}

std::optional<std::size_t> barAboveY(const ChartLayout& layout, float y, float goal) {
    std::size_t i = layout.bars.size();
    while (i > 0 && !(frameOf(layout, i - 1).y < y)) --i;
    if (i == 0) return std::nullopt;
    --i;
    while (!layout.bars[i].firstInLine && frameOf(layout, i).x >= goal && i > 0) --i;
    return i;
}

float slotCentre(const ChartLayout& layout, SlotRef slot) {
    const BarPlacement& bar = layout.bars.at(slot.bar);
    const LayoutRect& c = bar.chordFrames.at(slot.slot);
    return bar.frame.x + c.x + c.width / 2;
}

std::size_t nearestSlotInBar(const ChartLayout& layout, std::size_t bar, float goal) {
    std::size_t best = 0;
    float distance = INFINITY;
    for (std::size_t k = 0; k < layout.bars.at(bar).chordFrames.size(); ++k) {
        const float d = std::abs(slotCentre(layout, {bar, k}) - goal);
        if (d < distance) {
            distance = d;
            best = k;
        }
    }
    return best;
}

std::optional<SlotRef> slotAtPoint(const ChartLayout& layout, LayoutPoint p) {
    for (std::size_t i = 0; i < layout.bars.size(); ++i) {
        const BarPlacement& bar = layout.bars[i];
        if (!contains(bar.frame, p)) continue;
        for (std::size_t k = 0; k < bar.chordFrames.size(); ++k) {
            LayoutRect c = bar.chordFrames[k];
            c.x += bar.frame.x;
            c.y += bar.frame.y;
            if (contains(c, p)) return SlotRef{i, k};
        }
    }
    return std::nullopt;
}

std::vector<LayoutPoint> focusRing(const ChartLayout& layout, BarRange selection, float o) {
    if (selection.length == 0 || selection.end() > layout.bars.size()) return {};
    const std::size_t s = selection.location;
    const std::size_t e = selection.end() - 1;
    const LayoutRect& f = frameOf(layout, s);
    const LayoutRect& l = frameOf(layout, e);
    std::size_t p = s;
    while (p != e && !layout.bars[p].lastInLine) ++p;
    std::size_t q = e;
    while (q != s && !layout.bars[q].firstInLine) --q;
    const LayoutRect& pf = frameOf(layout, p);
    const LayoutRect& qf = frameOf(layout, q);
    if (p == e) return {{f.x, f.bottom()}, {f.x, f.y}, {pf.right(), pf.y}, {l.right(), l.bottom()}};
    std::vector<LayoutPoint> ring;
    auto addIfNew = [&ring](LayoutPoint point) {
        if (ring.empty() || !(ring.back() == point)) ring.push_back(point);
    };
    const LayoutPoint start{qf.x, f.bottom()};
    ring.push_back(start);
    // The two horizontal steps sit o off the line boundaries.
    if (!(start == LayoutPoint{f.x, f.bottom()})) {
        ring.push_back({qf.x, f.bottom() - o});
        ring.push_back({f.x, f.bottom() - o});
    }
    ring.push_back({f.x, f.y});
    ring.push_back({pf.right(), pf.y});
    ring.push_back({pf.right(), f.bottom()});
    addIfNew({pf.right(), l.y});
    if (!(LayoutPoint{pf.right(), l.y} == LayoutPoint{l.right(), l.y})) {
        ring.push_back({pf.right(), l.y + o});
        ring.push_back({l.right(), l.y + o});
    }
    ring.push_back({l.right(), l.bottom()});
    ring.push_back({qf.x, qf.bottom()});
    ring.push_back({qf.x, l.y});
    addIfNew(start);
    return ring;
}

namespace {

ChordMove go(std::size_t bar, std::size_t slot) { return {ChordMove::Kind::go, {bar, slot}}; }
ChordMove append(const SlotCounts& counts) { return {ChordMove::Kind::append, {counts.size(), 0}}; }
const ChordMove beep{};

ChordMove firstSlotOfNextBar(const SlotCounts& counts, SlotRef from) {
    return from.bar + 1 < counts.size() ? go(from.bar + 1, 0) : append(counts);
}

}  // namespace

ChordMove chordMoveRight(const SlotCounts& counts, SlotRef from) {
    if (from.slot + 1 < counts.at(from.bar)) return go(from.bar, from.slot + 1);
    return firstSlotOfNextBar(counts, from);
}

ChordMove chordMoveLeft(const SlotCounts& counts, SlotRef from) {
    if (from.slot > 0) return go(from.bar, from.slot - 1);
    if (from.bar == 0 || counts.at(from.bar - 1) == 0) return beep;
    return go(from.bar - 1, counts[from.bar - 1] - 1);
}

ChordMove chordMoveWordRight(const SlotCounts& counts, SlotRef from) {
    const std::size_t next = from.slot % 2 == 0 ? from.slot + 2 : from.slot + 1;
    if (next < counts.at(from.bar)) return go(from.bar, next);
    return firstSlotOfNextBar(counts, from);
}

ChordMove chordMoveWordLeft(const SlotCounts& counts, SlotRef from) {
    if (from.slot > 0) return go(from.bar, from.slot % 2 == 0 ? from.slot - 2 : from.slot - 1);
    if (from.bar == 0 || counts.at(from.bar - 1) == 0) return beep;
    const std::size_t last = counts[from.bar - 1] - 1;
    return go(from.bar - 1, last - last % 2);
}

ChordMove chordMoveToEndOfLine(const SlotCounts& counts, SlotRef from) { return firstSlotOfNextBar(counts, from); }

ChordMove chordMoveToBeginningOfLine(const SlotCounts& counts, SlotRef from) {
    if (from.slot > 0) return go(from.bar, 0);
    if (from.bar == 0 || counts.at(from.bar - 1) == 0) return beep;
    return go(from.bar - 1, 0);
}

ChordMove chordMoveDown(const ChartLayout& layout, SlotRef from, float goal) {
    const auto below = barBelowY(layout, layout.bars.at(from.bar).frame.y, goal);
    if (!below) return beep;
    return go(*below, nearestSlotInBar(layout, *below, goal));
}

ChordMove chordMoveUp(const ChartLayout& layout, SlotRef from, float goal) {
    const auto above = barAboveY(layout, layout.bars.at(from.bar).frame.y, goal);
    if (!above) return beep;
    return go(*above, nearestSlotInBar(layout, *above, goal));
}

void BarSelection::set(BarRange range, const ChartLayout& layout) {
    range_ = range;
    if (!navigating_vertically_) goal_ = insertionPointLine(layout, range.location).x;
    navigating_vertically_ = false;
    if (!extending_selection_) anchor_ = range.location;
    extending_selection_ = false;
}

void BarSelection::setKeepingAnchor(std::size_t anchor, BarRange range, const ChartLayout& layout) {
    anchor_ = anchor;
    extending_selection_ = true;
    set(range, layout);
}

void BarSelection::extendTo(std::size_t j, const ChartLayout& layout) {
    const BarRange range = j >= anchor_ ? BarRange{anchor_, j - anchor_} : BarRange{j, anchor_ - j};
    setKeepingAnchor(anchor_, range, layout);
}

bool BarSelection::moveRight(bool shift, const ChartLayout& layout) {
    const std::size_t n = layout.bars.size();
    const auto [s, l] = range_;
    if (l == 0) {
        if (s >= n) return false;
        set(shift ? BarRange{s, 1} : BarRange{s + 1, 0}, layout);
        return true;
    }
    if (!shift) {
        set({s + l, 0}, layout);
    } else if (s != anchor_) {
        extendTo(s + 1, layout);  // the selection grew leftwards: shrink it from the left
    } else {
        if (s + l >= n) return false;
        extendTo(s + l + 1, layout);
    }
    return true;
}

bool BarSelection::moveLeft(bool shift, const ChartLayout& layout) {
    const auto [s, l] = range_;
    if (l == 0) {
        if (s == 0) return false;
        if (shift)
            setKeepingAnchor(s, {s - 1, 1}, layout);
        else
            set({s - 1, 0}, layout);
        return true;
    }
    if (!shift) {
        set({s, 0}, layout);
    } else if (s == anchor_) {
        extendTo(s + l - 1, layout);
    } else {
        if (s == 0) return false;
        extendTo(s - 1, layout);
    }
    return true;
}

bool BarSelection::moveDown(bool shift, const ChartLayout& layout) {
    const std::size_t n = layout.bars.size();
    const auto [s, l] = range_;
    if (l == 0) {
        const auto below = barBelowY(layout, insertionPointLine(layout, s).y, goal_);
        if (!below) {
            if (shift) set({s, n - s}, layout);
            else set({n, 0}, layout);
            return true;
        }
        const std::size_t b = *below;
        if (shift) {
            set({s, b + 1 - s}, layout);
        } else {
            navigating_vertically_ = true;
            set({goal_ >= frameOf(layout, b).right() ? b + 1 : b, 0}, layout);
        }
        return true;
    }
    if (!shift) {
        set({s + l, 0}, layout);
        return true;
    }
    const std::size_t moving = s == anchor_ ? s + l - 1 : s;
    goal_ = frameOf(layout, moving).x;
    const auto below = barBelowY(layout, frameOf(layout, moving).y, goal_);
    if (s == anchor_) extendTo(below ? *below + 1 : n, layout);
    else extendTo(below ? *below : n, layout);
    return true;
}

bool BarSelection::moveUp(bool shift, const ChartLayout& layout) {
    const auto [s, l] = range_;
    if (l == 0) {
        const auto above = barAboveY(layout, insertionPointLine(layout, s).y, goal_);
        if (!above) return false;
        // As going down: a goal column at or past the bar's right edge is the index after it,
        // so up and down between two bar lines keep to the same column.
        const std::size_t a = goal_ >= frameOf(layout, *above).right() ? *above + 1 : *above;
        if (shift) {
            setKeepingAnchor(s, {a, s - a}, layout);
        } else {
            navigating_vertically_ = true;
            set({a, 0}, layout);
        }
        return true;
    }
    if (!shift) {
        set({s, 0}, layout);
        return true;
    }
    const std::size_t moving = s == anchor_ ? s + l - 1 : s;
    goal_ = frameOf(layout, moving).x;
    const auto above = barAboveY(layout, frameOf(layout, moving).y, goal_);
    extendTo(above ? *above : 0, layout);
    return true;
}

}  // namespace zub
