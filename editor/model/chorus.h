// The chorus of a chart: which bars are played as the chorus and how often.
// The one chorus value of the editor; the chart dictionary's "Chorus" holds it.
#pragma once

#include <cstdint>

#include "bridge/chart_dictionary.h"
#include "bridge/plist.h"

namespace zub {

// Bars counted from 1; end = to_the_end means through the last bar, however many.
struct Chorus {
    static constexpr std::int64_t to_the_end = chorus_end_of_chart;
    std::int64_t begin = 1;
    std::int64_t end = to_the_end;
    std::int64_t repeats = 1;
    bool operator==(const Chorus&) const = default;
    // of_plist({Begin 3, End 6, Repeats 2}) -> that chorus; the dictionary reading failures otherwise.
    static Chorus of_plist(const Plist& chorus);
    Plist to_plist() const;
    // lastBarIndex(8) -> end - 1, or 7 (the last bar) for to_the_end.
    std::int64_t lastBarIndex(std::size_t barCount) const {
        return end == to_the_end ? static_cast<std::int64_t>(barCount) - 1 : end - 1;
    }
};

}  // namespace zub
