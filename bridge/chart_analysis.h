// The analysis as the chart keeps it: the core's typed analysis matched to the
// chart's slots - the roman numeral of every slot and the slot that shows each
// result slot. Needs no display.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bridge/analysis_result.h"
#include "bridge/slot_ref.h"

namespace zub {

using ChordNamer = std::function<std::string(const std::string&)>;

class ChartAnalysis {
public:
    // computeRomansAndSlots(result, chords per bar in display form):
    // annotations matched to slots in chart order; a slot takes the next
    // annotation when its standardized chord equals the annotation's chord or
    // the annotation is "/". standardize defaults to the core's chord printer
    // (and its failures).
    static ChartAnalysis computeRomansAndSlots(AnalysisResult result,
                                                      const std::vector<std::vector<std::string>>& chords,
                                                      const ChordNamer& standardize = {});

    const AnalysisResult& result() const { return result_; }
    // romans()[bar][slot] -> "V7/II" in display form, "" where none is shown.
    const std::vector<std::vector<std::string>>& romans() const { return romans_; }
    // slotsShown()[i] -> the slot that shows result slot i (of those with a position).
    const std::vector<SlotRef>& slotsShown() const { return slots_; }
    // slotAt(3) -> the slot of result slot 3; none for a result slot
    // without a position (or outside the analysis, negative included).
    std::optional<SlotRef> slotAt(std::int64_t resultSlot) const;
    // roman(bar, slot) -> the roman string, "" outside the chart.
    const std::string& roman(std::size_t bar, std::size_t slot) const;

private:
    explicit ChartAnalysis(AnalysisResult result) : result_(std::move(result)) {}
    AnalysisResult result_;
    std::vector<std::vector<std::string>> romans_;
    std::vector<SlotRef> slots_;
};

}  // namespace zub
