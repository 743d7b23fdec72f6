#include "editor/model/bar_operations.h"

#include <string>

#include "bridge/bridge_exception.h"

namespace zub {

Chorus newChorusAfterReplacementInRange(const Chorus& chorus, BarRange range, std::size_t newBars) {
    if (chorus.end == Chorus::to_the_end) return chorus;
    const auto loc = static_cast<std::int64_t>(range.location);
    const auto stop = static_cast<std::int64_t>(range.end());
    const auto len = static_cast<std::int64_t>(range.length);
    const auto k = static_cast<std::int64_t>(newBars);
    std::int64_t b = chorus.begin - 1;
    std::int64_t e = chorus.end;
    // Bars replacing the chorus's first or last bars keep the chorus covering them.
    if (loc <= b && b < stop) b = stop;
    if (loc <= chorus.end - 1 && chorus.end - 1 < stop) e = loc;
    if (b >= stop) b -= len;
    if (e >= stop) e -= len;
    if (b >= e) return {1, Chorus::to_the_end, chorus.repeats};
    return {b + 1 + (loc < b ? k : 0), e + (loc < chorus.end ? k : 0), chorus.repeats};
}

Chorus chorusOfSelection(BarRange selection, const Chorus& chorus) {
    return {static_cast<std::int64_t>(selection.location) + 1, static_cast<std::int64_t>(selection.end()),
            chorus.repeats};
}

std::optional<DeletePlan> deleteSelection(BarRange selection, std::size_t barCount) {
    if (selection.length == 0) return std::nullopt;
    if (selection.length < barCount) return DeletePlan{selection, false, {selection.location, 0}};
    return DeletePlan{selection, true, {0, 1}};
}

std::optional<DeletePlan> deleteBackward(BarRange selection, std::size_t barCount) {
    if (selection.length > 0) return deleteSelection(selection, barCount);
    const std::size_t s = selection.location;
    if (s == 0 || barCount < 2 || s > barCount) return std::nullopt;
    return DeletePlan{{s - 1, 1}, false, {s - 1, 0}};
}

std::optional<DeletePlan> deleteForward(BarRange selection, std::size_t barCount) {
    if (selection.length > 0) return deleteSelection(selection, barCount);
    const std::size_t s = selection.location;
    if (s >= barCount || barCount < 2) return std::nullopt;
    return DeletePlan{{s, 1}, false, {s, 0}};
}

bool dropAccepted(std::size_t dropIndex, BarRange dragged, bool sameChart) {
    return !sameChart || dropIndex < dragged.location || dropIndex >= dragged.end();
}

std::optional<std::size_t> moveInsertionIndex(std::size_t dropIndex, BarRange dragged) {
    if (dropIndex == dragged.end()) return std::nullopt;
    return dropIndex > dragged.location ? dropIndex - dragged.length : dropIndex;
}

std::int64_t sectionMarkForTag(int tag) {
    switch (tag) {
    case 0: return 'A';
    case 1: return 'B';
    case 2: return 32;
    default: throw Bridge_exception("sectionMarkForTag", "Unknown section mark tag: " + std::to_string(tag));
    }
}

}  // namespace zub
