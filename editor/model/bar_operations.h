// The arithmetic of the bar operations, without a display: the chorus kept
// consistent when bars are replaced, what the delete keys and menu items
// remove, which drop indices a drag accepts and where a moved block lands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "bridge/plist.h"
#include "bridge/slot_ref.h"
#include "editor/model/chorus.h"

namespace zub {

// A range of bar indices: an insertion point before bar location when length is 0.
struct BarRange {
    std::size_t location = 0;
    std::size_t length = 0;
    std::size_t end() const { return location + length; }
    bool operator==(const BarRange&) const = default;
};

// newChorusAfterReplacementInRange({3, 6}, {2, 0}, 3) -> {3, 9}: bars inserted at or
// inside the chorus join it; replacing every chorus bar resets it to {1, Chorus::to_the_end}.
Chorus newChorusAfterReplacementInRange(const Chorus& chorus, BarRange range, std::size_t newBars);

// chorusOfSelection({s, l}, chorus) -> "Begin" s + 1, "End" s + l, repeats kept.
Chorus chorusOfSelection(BarRange selection, const Chorus& chorus);

// What a delete removes: the range, whether one blank bar takes its place
// (a chart never becomes empty), and the selection afterwards.
struct DeletePlan {
    BarRange range;
    bool blankBar = false;
    BarRange newSelection;
    bool operator==(const DeletePlan&) const = default;
};

// deleteSelection({1, 2}, 5) -> remove {1, 2}, select {1, 0}; every bar -> one blank bar
// selected {0, 1}; nothing for an insertion point (the view beeps).
std::optional<DeletePlan> deleteSelection(BarRange selection, std::size_t barCount);
// deleteBackward({2, 0}, 5) -> remove {1, 1}, select {1, 0}; nothing at 0 or in a one-bar chart.
std::optional<DeletePlan> deleteBackward(BarRange selection, std::size_t barCount);
// deleteForward({2, 0}, 5) -> remove {2, 1}, select {2, 0}; nothing at the end or in a one-bar chart.
std::optional<DeletePlan> deleteForward(BarRange selection, std::size_t barCount);

// dropAccepted(3, {1, 2}, true) -> true; an index inside the dragged block or at its
// start is refused when the drag comes from the same chart; any index from another chart.
bool dropAccepted(std::size_t dropIndex, BarRange dragged, bool sameChart);
// moveInsertionIndex(6, {1, 2}) -> 4, where the block goes once it is taken out;
// nothing for the drop right after the block itself.
std::optional<std::size_t> moveInsertionIndex(std::size_t dropIndex, BarRange dragged);

// sectionMarkForTag(0) -> 'A', 1 -> 'B', 2 -> 32 (no mark); "Unknown section mark tag: 7" otherwise.
std::int64_t sectionMarkForTag(int tag);

}  // namespace zub
