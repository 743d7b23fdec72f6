#include "bridge/chart_analysis.h"

#include <map>

#include "bridge/analysis_conversion.h"

namespace zub {

ChartAnalysis ChartAnalysis::computeRomansAndSlots(AnalysisResult analysis,
                                                          const std::vector<std::vector<std::string>>& chords,
                                                          const ChordNamer& standardize) {
    ChartAnalysis result(std::move(analysis));
    const std::vector<AnalysisAnnotation>& annotations = result.result_.annotations;
    // Charts repeat their chords a lot: each distinct name goes to the core once.
    std::map<std::string, std::string, std::less<>> standard;
    auto standardized = [&](const std::string& name) -> const std::string& {
        auto found = standard.find(name);
        if (found == standard.end())
            found = standard.emplace(name, standardize ? standardize(name) : standardize_chord_name(name)).first;
        return found->second;
    };
    std::size_t next = 0;
    for (std::size_t bar = 0; bar < chords.size(); ++bar) {
        std::vector<std::string> romans;
        for (std::size_t slot = 0; slot < chords[bar].size(); ++slot) {
            if (next == annotations.size()) {
                romans.emplace_back();
                continue;
            }
            const AnalysisAnnotation& annotation = annotations[next];
            if (annotation.chord == "/" || standardized(chords[bar][slot]) == annotation.chord) {
                result.slots_.push_back({bar, slot});
                romans.push_back(annotation.roman);
                ++next;
            } else {
                romans.emplace_back();
            }
        }
        result.romans_.push_back(std::move(romans));
    }
    return result;
}

std::optional<SlotRef> ChartAnalysis::slotAt(std::int64_t slot) const {
    if (slot < 0 || static_cast<std::uint64_t>(slot) >= slots_.size()) return std::nullopt;
    return slots_[static_cast<std::size_t>(slot)];
}

const std::string& ChartAnalysis::roman(std::size_t bar, std::size_t slot) const {
    static const std::string none;
    if (bar >= romans_.size() || slot >= romans_[bar].size()) return none;
    return romans_[bar][slot];
}

}  // namespace zub
